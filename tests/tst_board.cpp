// The board as a plug-in uses it: text boxes that keep their format and draw their frame, commands
// that undo exactly what they did, the selection, and a host that can be torn down with components in
// every state.
#include "batchmodescope.h"
#include "boardhost.h"
#include "component.h"
#include "controllayer.h"
#include "edittexthelper.h"
#include "guilayer.h"
#include "orrery.h"
#include "orreryview.h"
#include "selectionmanager.h"
#include "textcomponent.h"
#include "topic.h"
#include "workspace.h"

#include <QGraphicsScene>
#include <QPainter>
#include <QTextCursor>
#include <QUndoStack>
#include <QtTest>
#include <algorithm>
#include <memory>

typedef boost::shared_ptr<CComponent> TComponent;
typedef boost::shared_ptr<CTextComponent> TText;

class tst_Board : public QObject
{
    Q_OBJECT

    CBoardHost m_host;
    COrreryView* m_pView = nullptr;

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

private slots:
    void init()
    {
        m_host.start();
        m_pView = m_host.view();
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
        const double dHalf = pen == "null;" ? 0.0 : 2.0;
        QCOMPARE(pText->boundingRect(), frame.adjusted(-dHalf, -dHalf, dHalf, dHalf));

        QImage image(400, 300, QImage::Format_ARGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        page()->scene()->render(&painter, QRectF(0, 0, 400, 300), QRectF(0, 0, 400, 300));
        // The frame's top edge is at y 100; the text starts below the document margin.
        const int iMiddle = 100 + int(frame.width() / 2);
        QCOMPARE(image.pixelColor(iMiddle, 101), edge);
        QCOMPARE(image.pixelColor(iMiddle, 103), inside);
        QCOMPARE(image.pixelColor(iMiddle, 96), QColor(Qt::white));
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
        QCOMPARE(undoStack()->undoText(), QStringLiteral("Change string"));
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
        QTest::newRow("click on the empty board") << "A" << iNone << QPointF(500, 500) << "";
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
};

QTEST_MAIN(tst_Board)
#include "tst_board.moc"
