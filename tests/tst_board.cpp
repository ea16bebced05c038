// The board as a plug-in uses it: text boxes that keep their format and draw their frame, commands
// that undo exactly what they did, the selection, a host that can be torn down with components in
// every state; and the pen-tool base as pen tools see it: ink while writing, one hand-over per writing
// after the pause, taps told apart from writing, and the ordinary pen's ink.
#include "batchmodescope.h"
#include "boardhost.h"
#include "component.h"
#include "controllayer.h"
#include "edittexthelper.h"
#include "guilayer.h"
#include "mouseeventpoint.h"
#include "normalpentool.h"
#include "orrery.h"
#include "orreryview.h"
#include "scribble.h"
#include "selectionmanager.h"
#include "textcomponent.h"
#include "toolmanager.h"
#include "topic.h"
#include "userinput.h"
#include "workspace.h"

#include <QGraphicsPathItem>
#include <QGraphicsScene>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextDocument>
#include <QUndoStack>
#include <QtTest>
#include <algorithm>
#include <boost/make_shared.hpp>
#include <memory>

typedef boost::shared_ptr<CComponent> TComponent;
typedef boost::shared_ptr<CTextComponent> TText;

typedef QVector<QVector<QPointF>> TStrokes;
typedef QVector<QPoint> TLine;

// A pen tool that keeps what it is handed.
struct CListeningPen : CPenTool
{
    CListeningPen() : CPenTool(QString(), QPoint(-1, -1)) { enablePenEvents(true); }
    QString getName() const override { return "listening"; }
    void onTap(const CMouseEventPoint& point) override { m_taps.append(point); }
    void onPenInput(boost::shared_ptr<CScribble> pInput) override { m_writings.append(pInput->strokes()); }
    QList<CMouseEventPoint> m_taps;
    QList<TStrokes> m_writings;
};

class tst_Board : public QObject
{
    Q_OBJECT

    CBoardHost m_host;
    COrreryView* m_pView = nullptr;
    CListeningPen* m_pPen = nullptr;

    static CTopic* page() { return COrrery::getWorkspace()->getCurrentTopic(); }
    static QUndoStack* undoStack() { return CControlLayer::get()->undoStack(); }
    static QString stringOf(const TComponent& pBox) { return pBox->getPropertyValue("string").toString(); }
    // A 100 x 100 picture at the scene position, put on the page by a command.
    static TComponent addSquare(const QPointF& position, int iIndex = -1)
    {
        TComponent pSquare = CComponent::create("picture");
        QImage image(100, 100, QImage::Format_ARGB32);
        image.fill(Qt::blue);
        pSquare->setPropertyValue("image", image);
        pSquare->setPropertyValue("position", position);
        CControlLayer::get()->invokeInsertCommand(pSquare, -1, iIndex);
        return pSquare;
    }
    static TText newText(const QString& strText)
    {
        auto pText = boost::dynamic_pointer_cast<CTextComponent>(CComponent::create("text"));
        pText->setPropertyValue("string", strText);
        CControlLayer::get()->invokeInsertCommand(pText, -1, -1);
        return pText;
    }

    void draw(const TLine& points) { drawStroke(m_pView->viewport(), points); }

    // Each page by the text of its first box ("_" for none), the current one in brackets: "A[B]_".
    static QString pagesShown()
    {
        CWorkspace* pWorkspace = COrrery::getWorkspace();
        QString strPages;
        for (int i = 0; i < pWorkspace->topicCount(); ++i) {
            const QList<CComponent*> components = pWorkspace->topicAt(i)->components();
            const QString strLabel =
                components.isEmpty() ? "_" : components.first()->getPropertyValue("string").toString();
            strPages += pWorkspace->topicAt(i) == page() ? "[" + strLabel + "]" : strLabel;
        }
        return strPages;
    }

    static bool activate(const QString& strTool) { return COrrery::getToolManager()->activate(strTool); }

private slots:
    void init()
    {
        m_host.start();
        COrrery::getUserSettings()->setValue("pen/writingpause", 100);
        m_pView = m_host.view();
        m_pView->setFixedSize(800, 600);
        auto pPen = boost::make_shared<CListeningPen>();
        m_pPen = pPen.get();
        CToolManager* pTools = COrrery::getToolManager();
        QVERIFY(pTools->registerTool(pPen) && pTools->registerTool(boost::make_shared<CNormalPenTool>()));
        QVERIFY(activate("listening"));
    }
    void cleanup() { m_host.stop(); }

    void textTakesTheFormatOfItsBlock()
    {
        QTextCharFormat format;
        format.setFontFamily("Courier");
        format.setFontPointSize(30.0);
        format.setForeground(QColor(Qt::red));
        // One box has the format set on its block, the other through its font properties.
        const TText pByBlock = newText("old text"), pByProperties = newText("old text");
        QTextCursor(pByBlock->document()).mergeBlockCharFormat(format);
        pByProperties->setPropertyValue("fontfamily", "Courier");
        pByProperties->setPropertyValue("fontsize", 30.0);
        pByProperties->setPropertyValue("fontcolor", QColor(Qt::red));
        for (const TText& pText : {pByBlock, pByProperties}) {
            pText->setPropertyValue("string", "Hello");
            QCOMPARE(pText->toPlainText(), QStringLiteral("Hello"));
            // The shown text and the text typed next both carry the format.
            QTextCursor end(pText->document());
            end.movePosition(QTextCursor::End);
            for (const QTextCharFormat& shown : {end.charFormat(), end.blockCharFormat()})
                for (int iProperty :
                     {QTextFormat::FontFamily, QTextFormat::FontPointSize, QTextFormat::ForegroundBrush})
                    QCOMPARE(shown.property(iProperty), format.property(iProperty));
        }
    }

    void frameAndFillArePainted_data()
    {
        QTest::addColumn<QString>("pen");
        QTest::addColumn<QColor>("edge");
        QTest::addColumn<QString>("fill");
        QTest::addColumn<QColor>("inside");
        const QColor red(Qt::red), green(Qt::green);
        QTest::newRow("outline and fill") << "normal;#FFFF0000" << red << "#FF00FF00" << green;
        QTest::newRow("no outline, fill as pen") << "null;" << green << "normal;#FF00FF00" << green;
        QTest::newRow("no fill") << "normal;#FFFF0000" << red << "null;" << QColor(Qt::white);
    }
    void frameAndFillArePainted()
    {
        QFETCH(QString, pen);
        QFETCH(QColor, edge);
        QFETCH(QString, fill);
        QFETCH(QColor, inside);
        const TText pText = newText("Hi");
        pText->setPropertyValue("position", QPointF(100, 100));
        pText->setPropertyValue("pencolor", pen);
        pText->setPropertyValue("linewidth", 4.0);
        pText->setPropertyValue("fillcolor", fill);
        const QRectF frame = pText->QGraphicsTextItem::boundingRect();
        const double dHalf = pen == "null;" ? 0.0 : 2.0 / pText->scale(); // 4 scene units wide
        QCOMPARE(pText->boundingRect(), frame.adjusted(-dHalf, -dHalf, dHalf, dHalf));

        QImage image(400, 300, QImage::Format_ARGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        page()->scene()->render(&painter, QRectF(0, 0, 400, 300), QRectF(0, 0, 400, 300));
        // The frame's top edge is at y 100; the text starts below the document margin.
        const int iMiddle = 100 + int(frame.width() * pText->scale() / 2);
        QCOMPARE(image.pixelColor(iMiddle, 101), edge);
        QCOMPARE(image.pixelColor(iMiddle, 103), inside);
        QCOMPARE(image.pixelColor(iMiddle, 96), QColor(Qt::white));
    }

    // Slanted letters lean out of their advance; the frame takes them in.
    void theFrameEnclosesTheLetters_data()
    {
        QTest::addColumn<bool>("bold");
        QTest::newRow("italic") << false;
        QTest::newRow("bold italic") << true;
    }
    void theFrameEnclosesTheLetters()
    {
        QFETCH(bool, bold);
        const TText pText = newText("leaf");
        pText->setPropertyValue("fontsize", 96.0);
        pText->setPropertyValue("italic", true);
        pText->setPropertyValue("bold", bold);
        pText->setPropertyValue("pencolor", "normal;#FF000000");
        pText->setPropertyValue("linewidth", 300.0);
        // The letters stand on the first line's base line, inside the document's margin. The outline
        // must clear them: the bounding rectangle reaches half a line past the frame, the frame half a
        // line past the letters (less a unit the metrics round to).
        const QFontMetricsF metrics(QTextCursor(pText->document()).blockCharFormat().font());
        const double dMargin = pText->document()->documentMargin(), dLine = 300.0 / pText->scale() - 1.0;
        const QRectF ink = metrics.tightBoundingRect("leaf").translated(dMargin, dMargin + metrics.ascent());
        QVERIFY(pText->boundingRect().contains(ink.adjusted(-dLine, -dLine, dLine, dLine)));
    }

    void commandsUndoExactlyWhatTheyDid()
    {
        // Shown and active, so that a box really has the focus and loses it when it leaves the page.
        m_pView->show();
        QVERIFY(QTest::qWaitForWindowActive(m_pView));
        const TText pFirst = newText("one"), pSecond = newText("two");
        QCOMPARE(undoStack()->undoText(), QStringLiteral("Insert text"));
        undoStack()->undo();
        QCOMPARE(page()->components(), QList<CComponent*>{pFirst.get()});
        QCOMPARE(pSecond->scene(), nullptr);
        undoStack()->redo();
        QCOMPARE(page()->components(), (QList<CComponent*>{pFirst.get(), pSecond.get()}));
        QVERIFY(pSecond->zValue() > pFirst->zValue());

        // Nested batches make one undo step.
        const int iSteps = undoStack()->count();
        {
            CBatchModeScope batch(-1);
            CControlLayer::get()->invokeUpdatePropertyCommand(pFirst->getID(), "string", "uno", false);
            CBatchModeScope inner(-1);
            CControlLayer::get()->invokeUpdatePropertyCommand(pSecond->getID(), "string", "dos", false);
        }
        QCOMPARE(undoStack()->count(), iSteps + 1);
        undoStack()->undo();
        QCOMPARE(stringOf(pFirst) + stringOf(pSecond), QStringLiteral("onetwo"));
        undoStack()->redo();
        QCOMPARE(stringOf(pFirst) + stringOf(pSecond), QStringLiteral("unodos"));

        // What is typed into a box is one undo step.
        QVERIFY(CEditTextHelper().startEditText(pFirst.get()));
        pFirst->textCursor().insertText("!");
        pFirst->finishEditing();
        QCOMPARE(undoStack()->undoText(), QStringLiteral("Edit text"));
        undoStack()->undo();
        QCOMPARE(pFirst->toPlainText(), QStringLiteral("uno"));

        // Undo while typing in a new box takes the box away; redo brings it back as typed.
        const TText pNew = newText(QString());
        QVERIFY(CEditTextHelper().startEditText(pNew.get()) && pNew->hasFocus());
        pNew->textCursor().insertText("typed");
        undoStack()->undo();
        QCOMPARE(pNew->scene(), nullptr);
        undoStack()->redo();
        QCOMPARE(stringOf(pNew), QStringLiteral("typed"));
    }

    // A box left without text goes when its editing ends: one that never had text leaves no step
    // behind, one whose text was typed away goes as one step that undo takes back.
    void aBoxLeftEmptyGoesWhenItsEditingEnds_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("typed"); // and typed away again
        QTest::addColumn<QString>("step");
        QTest::newRow("new, nothing typed") << ""
                                            << ""
                                            << "";
        QTest::newRow("new, typed away") << ""
                                         << "typed"
                                         << "";
        QTest::newRow("text typed away") << "Hi"
                                         << ""
                                         << "Delete";
    }
    void aBoxLeftEmptyGoesWhenItsEditingEnds()
    {
        QFETCH(QString, text);
        QFETCH(QString, typed);
        QFETCH(QString, step);
        const TText pBox = newText(text);
        QVERIFY(CEditTextHelper().startEditText(pBox.get()));
        QTextCursor cursor = pBox->textCursor();
        cursor.insertText(typed);
        cursor.select(QTextCursor::Document);
        cursor.removeSelectedText();
        pBox->finishEditing();
        QTRY_COMPARE(page()->componentCount(), 0);
        QCOMPARE(undoStack()->undoText(), step);
        QCOMPARE(undoStack()->count(), step.isEmpty() ? 0 : 2);
        QVERIFY(!undoStack()->canRedo());
        undoStack()->undo();
        QCOMPARE(page()->componentCount(), step.isEmpty() ? 0 : 1);
        QCOMPARE(pBox->toPlainText(), text);
    }

    // The step is named for what the user did, from what its commands do. A reading picked from a menu
    // rewrites the box just written, as writing over a box does.
    void eachUndoStepIsNamedForWhatTheUserDid_data()
    {
        QTest::addColumn<QString>("act");
        QTest::addColumn<QString>("boxes"); // whose properties one batch changes
        QTest::addColumn<QStringList>("properties");
        QTest::addColumn<QString>("name");
        const QStringList rewrite = {"string", "alignment"};
        QTest::newRow("ink") << "draw"
                             << "" << QStringList() << "Draw";
        QTest::newRow("typing") << "type"
                                << "" << QStringList() << "Edit text";
        QTest::newRow("a setting of two boxes")
            << ""
            << "older newest" << QStringList{"fontcolor"} << "Change font colour";
        QTest::newRow("two settings at once")
            << ""
            << "newest" << QStringList{"bold", "italic"} << "Change bold, italic";
        QTest::newRow("a text rewritten") << ""
                                          << "newest" << rewrite << "Replace text";
        QTest::newRow("picked from a menu") << "pick"
                                            << "newest" << rewrite << "Choose alternative";
        QTest::newRow("picked, then a press") << "pick press"
                                              << "newest" << rewrite << "Replace text";
        QTest::newRow("picked, for an older box") << "pick"
                                                  << "older" << rewrite << "Replace text";
    }
    void eachUndoStepIsNamedForWhatTheUserDid()
    {
        QFETCH(QString, act);
        QFETCH(QString, boxes);
        QFETCH(QStringList, properties);
        QFETCH(QString, name);
        const QHash<QString, TText> named = {{"older", newText("one")}, {"newest", newText("two")}};
        if (act.startsWith("pick")) {
            QMenu menu;
            menu.addAction("uno");
            QTimer::singleShot(0, &menu, [&menu] {
                menu.setActiveAction(menu.actions().first());
                QTest::keyClick(&menu, Qt::Key_Return);
            });
            QVERIFY(menu.exec(QPoint()));
            if (act.endsWith("press"))
                QTest::mouseClick(m_pView->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(700, 500));
        }
        if (!boxes.isEmpty()) {
            CBatchModeScope batch(-1);
            for (const QString& strBox : boxes.split(' '))
                for (const QString& strProperty : properties)
                    CControlLayer::get()->invokeUpdatePropertyCommand(named[strBox]->getID(), strProperty, 1,
                                                                      false);
        } else if (act == "draw" && activate("pen")) {
            draw({{100, 100}, {200, 100}});
        } else if (act == "type" && CEditTextHelper().startEditText(named["older"].get())) {
            named["older"]->textCursor().insertText("!");
            named["older"]->finishEditing();
        }
        QCOMPARE(undoStack()->undoText(), name);
    }

    // What is typed goes into the box at its caret, which shows at any zoom; the board stays put.
    void typingShowsTheCaretAndKeepsTheBoardStill()
    {
        m_pView->show();
        QVERIFY(QTest::qWaitForWindowActive(m_pView));
        m_pView->clearFocus();
        m_pView->scale(0.5, 0.5);
        const TText pBox = newText("typed:");
        pBox->setPropertyValue("position", m_pView->mapToScene(QPoint(700, 150)));
        const int iScrolled = m_pView->horizontalScrollBar()->value();
        QVERIFY(CEditTextHelper().startEditText(pBox.get()));
        QVERIFY(m_pView->hasFocus() && pBox->hasFocus());
        QTest::keyClicks(m_pView, " a line longer than the board is wide");
        QCOMPARE(pBox->toPlainText(), QStringLiteral("typed: a line longer than the board is wide"));
        QCOMPARE(m_pView->horizontalScrollBar()->value(), iScrolled);
        // Two pixels of a board shown at half its size are four of its units.
        const QObjectList parts = pBox->children();
        QVERIFY(std::any_of(parts.begin(), parts.end(),
                            [](QObject* p) { return p->property("cursorWidth") == 4; }));
    }

    void theHostGoesDownWithComponentsInEveryState()
    {
        const TText pKept = newText("kept by the caller");
        newText("only on the undo stack");
        undoStack()->undo();
        CControlLayer::get()->invokeDeleteCommand({addSquare(QPointF(30, 30))->getID()});
        COrrery::getSelectionManager()->select(pKept.get());
        m_pView->show();
        QVERIFY(QTest::qWaitForWindowActive(m_pView));
        const TText pEditing = newText("being edited");
        QVERIFY(CEditTextHelper().startEditText(pEditing.get()));
        pEditing->textCursor().insertText(" and typed");

        init();
        QCOMPARE(pKept->scene(), nullptr);
        QCOMPARE(stringOf(pEditing), QStringLiteral("being edited and typed"));
        QCOMPARE(page()->componentCount(), 0);
        QCOMPARE(undoStack()->count(), 0);
    }

    // Pages come, go and move as steps that undo puts back as they were, content and all, showing the
    // page that changed. What is being typed on the page left is finished there first, as a step.
    void pagesChangeAsStepsThatUndoPutsBack_data()
    {
        QTest::addColumn<QString>("pages"); // each with a box of that letter, the last put there last
        QTest::addColumn<int>("current");
        QTest::addColumn<QString>("typed"); // into the current page's box before the act
        QTest::addColumn<QString>("act");
        QTest::addColumn<int>("steps");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("shown"); // after the act, its undo and its redo
        QTest::newRow("new after the current")
            << "ABC" << 1 << ""
            << "new" << 1 << "New Page" << QStringList{"AB[_]C", "A[B]C", "AB[_]C"};
        QTest::newRow("new at the end") << "AB" << 1 << ""
                                        << "new" << 1 << "New Page" << QStringList{"AB[_]", "A[B]", "AB[_]"};
        QTest::newRow("delete the current")
            << "ABC" << 1 << ""
            << "delete -1" << 1 << "Delete Page" << QStringList{"A[C]", "A[B]C", "A[C]"};
        QTest::newRow("delete the last")
            << "ABC" << 2 << ""
            << "delete -1" << 1 << "Delete Page" << QStringList{"A[B]", "AB[C]", "A[B]"};
        QTest::newRow("delete one not shown")
            << "ABC" << 0 << ""
            << "delete 1" << 1 << "Delete Page" << QStringList{"[A]C", "A[B]C", "A[C]"};
        QTest::newRow("the only page stays")
            << "A" << 0 << ""
            << "delete -1" << 0 << "Insert text" << QStringList{"[A]", "[_]", "[A]"};
        QTest::newRow("move forward")
            << "ABC" << 0 << ""
            << "move 0 2" << 1 << "Move Page" << QStringList{"BC[A]", "[A]BC", "BC[A]"};
        QTest::newRow("move back") << "ABC" << 2 << ""
                                   << "move 2 0" << 1 << "Move Page"
                                   << QStringList{"[C]AB", "AB[C]", "[C]AB"};
        QTest::newRow("move out of range")
            << "AB" << 0 << ""
            << "move 0 2" << 0 << "Insert text" << QStringList{"[A]B", "A[_]", "A[B]"};
        QTest::newRow("a step on a page not shown")
            << "ABC" << 0 << ""
            << "show 0" << 0 << "Insert text" << QStringList{"[A]BC", "AB[_]", "AB[C]"};
        QTest::newRow("typing, then another page")
            << "AB" << 0 << "x"
            << "show 1" << 1 << "Edit text" << QStringList{"Ax[B]", "[A]B", "[Ax]B"};
        QTest::newRow("typing, then a new page")
            << "AB" << 0 << "x"
            << "new" << 2 << "New Page" << QStringList{"Ax[_]B", "[Ax]B", "Ax[_]B"};
    }
    void pagesChangeAsStepsThatUndoPutsBack()
    {
        QFETCH(QString, pages);
        QFETCH(int, current);
        QFETCH(QString, typed);
        QFETCH(QString, act);
        QFETCH(int, steps);
        QFETCH(QString, name);
        QFETCH(QStringList, shown);
        CWorkspace* pWorkspace = COrrery::getWorkspace();
        for (int i = 0; i < pages.size(); ++i) {
            const TComponent pBox = CComponent::create("text");
            pBox->setPropertyValue("string", pages.mid(i, 1));
            CTopic* pTopic = i == 0 ? page() : pWorkspace->addTopic();
            QVERIFY(CControlLayer::get()->invokeInsertCommand(pBox, pTopic->getID(), -1));
        }
        pWorkspace->setCurrentTopic(pWorkspace->topicAt(current));
        if (!typed.isEmpty()) {
            auto* pBox = dynamic_cast<CTextComponent*>(page()->components().first());
            QVERIFY(CEditTextHelper().startEditText(pBox));
            pBox->textCursor().insertText(typed);
        }
        const int iSteps = undoStack()->count();
        const QStringList words = act.split(' ');
        CControlLayer* pLayer = CControlLayer::get();
        const bool bDone = words[0] == "new"      ? pLayer->invokeAddPageCommand()
                           : words[0] == "delete" ? pLayer->invokeDeletePageCommand(words[1].toInt())
                           : words[0] == "move"
                               ? pLayer->invokeMovePageCommand(words[1].toInt(), words[2].toInt())
                               : (pWorkspace->setCurrentTopic(pWorkspace->topicAt(words[1].toInt())), true);
        QCOMPARE(bDone, steps > 0 || words[0] == "show");
        QCOMPARE(undoStack()->count(), iSteps + steps);
        QCOMPARE(undoStack()->undoText(), name);
        for (const QString& strShown : shown) {
            QCOMPARE(pagesShown(), strShown);
            QCOMPARE(m_pView->scene(), page()->scene());
            undoStack()->canRedo() ? undoStack()->redo() : undoStack()->undo();
        }
    }

    void selectAtPicksTheFrontMost_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("controls");
        QTest::addColumn<QPointF>("point");
        QTest::addColumn<QString>("after");
        const QPointF overlap(75, 75); // both squares lie under it
        const int iNone = CSelectionManager::eNoControl, iAdd = CSelectionManager::eAddToSelection;
        QTest::newRow("click replaces the selection") << "A" << iNone << overlap << "B";
        QTest::newRow("added to the selection") << "A" << iAdd << overlap << "A B";
        QTest::newRow("toggled off") << "A B" << (iAdd | CSelectionManager::eToggle) << overlap << "A";
        QTest::newRow("click on the empty board") << "A" << iNone << QPointF(1500, 1500) << "";
    }
    void selectAtPicksTheFrontMost()
    {
        QFETCH(QString, before);
        QFETCH(int, controls);
        QFETCH(QPointF, point);
        QFETCH(QString, after);
        const QPointF overlap(75, 75);
        const TComponent pA = addSquare(QPointF(0, 0)), pB = addSquare(QPointF(50, 50));
        CSelectionManager* pManager = COrrery::getSelectionManager();
        for (const QString& strName : before.split(' '))
            pManager->select((strName == "A" ? pA : pB).get(), true);
        QSignalSpy spy(pManager, &CSelectionManager::signalSelectionChanged);

        const QPoint viewPoint = m_pView->mapFromScene(point);
        CComponent* pAnswer = pManager->selectAt(viewPoint, CSelectionManager::ESelectionControls(controls));
        QCOMPARE(pAnswer, point == overlap ? pB.get() : nullptr);
        QStringList selected;
        for (CComponent* pComponent : pManager->selectedComponents())
            selected.append(pComponent == pA.get() ? "A" : "B");
        QCOMPARE(selected.join(' '), after);
        QCOMPARE(spy.count(), after == before ? 0 : 1);
        // Both squares lie under the overlap: the selected ones come back front-most first.
        QList<CComponent*> frontFirst = pManager->selectedComponents();
        std::reverse(frontFirst.begin(), frontFirst.end());
        QCOMPARE(pManager->selectedItemsUnderMouse(m_pView->mapFromScene(overlap)), frontFirst);
    }

    void whatIsDrawnIsHandedOverOnceAfterThePause_data()
    {
        QTest::addColumn<QList<TLine>>("strokes");
        QTest::addColumn<int>("gapMs");
        QTest::addColumn<bool>("tap");
        QTest::addColumn<int>("split"); // strokes of a first piece that a stroke far away ends; 0: none
        const TLine line = {{100, 100}, {140, 120}, {180, 110}}, dot = {{300, 300}};
        QTest::newRow("two strokes") << QList<TLine>{line, {{100, 150}, {180, 150}}} << 0 << false << 0;
        QTest::newRow("a touch") << QList<TLine>{dot} << 0 << true << 0;
        QTest::newRow("a small wiggle")
            << QList<TLine>{{{300, 300}, {304, 303}, {301, 305}}} << 0 << true << 0;
        QTest::newRow("two touches") << QList<TLine>{dot, {{304, 302}}} << 0 << false << 0;
        // Longer than the writing pause, yet within the wait that tells a tap from a first dot.
        QTest::newRow("dot, then line")
            << QList<TLine>{{{140, 85}}, line} << CPenTool::c_iTapWindowMs - 100 << false << 0;
        QTest::newRow("a line far below")
            << QList<TLine>{line, line, {{600, 450}, {680, 460}}} << 0 << false << 2;
        QTest::newRow("a line well beside")
            << QList<TLine>{line, {{300, 110}, {380, 110}}} << 0 << false << 1;
        QTest::newRow("the next line of tall writing")
            << QList<TLine>{{{100, 100}, {120, 160}}, {{100, 230}, {160, 230}}} << 0 << false << 0;
    }
    void whatIsDrawnIsHandedOverOnceAfterThePause()
    {
        QFETCH(QList<TLine>, strokes);
        QFETCH(int, gapMs);
        QFETCH(bool, tap);
        QFETCH(int, split);
        for (int i = 0; i < strokes.size(); ++i) {
            QTest::qWait(i == 0 ? 0 : gapMs);
            draw(strokes.at(i));
        }
        QCOMPARE(CBoardHost::inkShown(m_pView), strokes.size() - split);
        QCOMPARE(m_pPen->m_writings.size() + m_pPen->m_taps.size(), split ? 1 : 0);

        QTRY_COMPARE(m_pPen->m_writings.size() + m_pPen->m_taps.size(), split ? 2 : 1);
        const QPoint start = strokes.first().first();
        QCOMPARE(m_pPen->m_taps.size(), int(tap));
        if (tap) {
            QCOMPARE(m_pPen->m_taps.first().scenePos(), m_pView->mapToScene(start));
        } else {
            QCOMPARE(m_pPen->m_writings.first().size(), split ? split : strokes.size());
            QCOMPARE(m_pPen->m_writings.first().first().first(), QPointF(start));
            QCOMPARE(m_pPen->m_writings.last().first().first(), QPointF(strokes.at(split).first()));
        }
        QCOMPARE(CBoardHost::inkShown(m_pView), 0);
        QVERIFY(!m_pPen->currentScribble());
        QCOMPARE(page()->componentCount(), 0);
    }

    void inkShowsAboveEverythingOnThePage()
    {
        // Boxes put on top and one slipped under them, as undoing a delete does.
        for (int iIndex : {-1, -1, 0, -1}) {
            QVERIFY(page()->addComponent(CComponent::create("text"), iIndex));
        }
        double dTop = std::numeric_limits<double>::lowest();
        for (CComponent* pComponent : page()->components()) {
            QVERIFY(pComponent->getGraphicsItem()->zValue() > dTop);
            dTop = pComponent->getGraphicsItem()->zValue();
        }
        QCOMPARE(page()->topDepth(), dTop);

        draw({{100, 100}, {200, 100}});
        draw({{100, 150}, {200, 150}});
        double dInk = dTop;
        for (QGraphicsItem* pItem : m_pView->scene()->items(Qt::AscendingOrder)) {
            if (COrreryView::componentOf(pItem))
                continue;
            QVERIFY2(pItem->zValue() > dInk, "each stroke lies above the page and the strokes before it");
            dInk = pItem->zValue();
        }
        QCOMPARE(CBoardHost::inkShown(m_pView), 2);
    }

    void leavingForTheOrdinaryPenReadsTheWritingAndMakesInk()
    {
        draw({{100, 100}, {200, 100}});
        QVERIFY(activate("pen"));
        QCOMPARE(CBoardHost::inkShown(m_pView), 0);
        // The ordinary pen makes each stroke one ink component on the board, one undo step.
        draw({{100, 100}, {150, 120}, {200, 100}});
        QCOMPARE(page()->componentCount(), 1);
        const CComponent* pInk = page()->components().first();
        QCOMPARE(pInk->getType(), QStringLiteral("ink"));
        const QVariantList stroke = {m_pView->mapToScene(QPoint(100, 100)),
                                     m_pView->mapToScene(QPoint(150, 120)),
                                     m_pView->mapToScene(QPoint(200, 100))};
        QCOMPARE(pInk->getPropertyValue("strokes"), QVariant(QVariantList{stroke}));
        QCOMPARE(pInk->getPropertyValue("pencolor").toString(), QStringLiteral("normal;#FF000000"));
        QCOMPARE(CControlLayer::get()->undoStack()->count(), 1);
        QCOMPARE(CBoardHost::inkShown(m_pView), 0);
        // The writing left behind was handed on as the pen was left, once.
        QTest::qWait(CPenTool::c_iTapWindowMs);
        QCOMPARE(m_pPen->m_writings.size(), 1);
        QCOMPARE(m_pPen->m_taps.size(), 0);
    }
};

QTEST_MAIN(tst_Board)
#include "tst_board.moc"
