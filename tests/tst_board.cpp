// The board as a plug-in uses it: text boxes that keep their format and draw their frame, commands
// that undo exactly what they did, the order and depth of what lies on a page, the selection, pens
// described as text, and a host that can be torn down with components in every state.
#include "atomicoperationscope.h"
#include "batchmodescope.h"
#include "component.h"
#include "controllayer.h"
#include "edittexthelper.h"
#include "guilayer.h"
#include "hostjournal.h"
#include "orrery.h"
#include "orreryview.h"
#include "penbase.h"
#include "penfactory.h"
#include "picturecomponent.h"
#include "selectionmanager.h"
#include "textcomponent.h"
#include "topic.h"
#include "workspace.h"

#include <QGraphicsScene>
#include <QPainter>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>
#include <QUndoStack>
#include <QtTest>
#include <algorithm>
#include <memory>

namespace {

typedef boost::shared_ptr<CComponent> TComponent;

CTopic* page()
{
    return COrrery::getWorkspace()->getCurrentTopic();
}

QUndoStack* undoStack()
{
    return CControlLayer::get()->undoStack();
}

// A 100 x 100 picture at the scene position, put on the page by a command.
TComponent addSquare(const QPointF& position, int iIndex = -1)
{
    TComponent pSquare = CComponent::create("picture");
    QImage image(100, 100, QImage::Format_ARGB32);
    image.fill(Qt::blue);
    pSquare->setPropertyValue("image", image);
    pSquare->setPropertyValue("position", position);
    CControlLayer::get()->invokeInsertCommand(pSquare, -1, iIndex);
    return pSquare;
}

boost::shared_ptr<CTextComponent> addText(const QString& strText)
{
    auto pText = boost::dynamic_pointer_cast<CTextComponent>(CComponent::create("text"));
    pText->setPropertyValue("string", strText);
    CControlLayer::get()->invokeInsertCommand(pText, -1, -1);
    return pText;
}

QList<qint64> idsOf(const QList<CComponent*>& components)
{
    QList<qint64> ids;
    for (const CComponent* pComponent : components)
        ids.append(pComponent->getID());
    return ids;
}

QImage renderPage()
{
    QImage image(400, 300, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    page()->scene()->render(&painter, QRectF(0, 0, 400, 300), QRectF(0, 0, 400, 300));
    return image;
}

} // namespace

class tst_Board : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        SHostOptions options;
        options.strSettingsFile = m_settingsDir.filePath("settings.ini");
        CGUILayer::resetHost(options);
        m_pView = std::make_unique<COrreryView>();
        m_pView->resize(800, 600);
        COrrery::setView(m_pView.get());
        m_pView->showTopic(page());
    }
    void cleanup() { m_pView.reset(); }
    void cleanupTestCase() { CGUILayer::shutdownHost(); }

    void aReplacedFactoryIsHandedBack()
    {
        QVERIFY(!CComponent::create("video"));
        const CComponent::FFactory pfnFailing = []() { return TComponent(); };
        const CComponent::FFactory pfnBuiltIn = CComponent::registerFactory("text", pfnFailing);
        QVERIFY(pfnBuiltIn == &CTextComponent::make);
        QVERIFY(!CComponent::create("text"));
        QVERIFY(CComponent::registerFactory("text", &CPictureComponent::make) == pfnFailing);
        QCOMPARE(CComponent::create("text")->getType(), QStringLiteral("picture"));
        CComponent::registerFactory("text", pfnBuiltIn);
        const TComponent pFirst = CComponent::create("text");
        QCOMPARE(pFirst->getType(), QStringLiteral("text"));
        QVERIFY(CComponent::create("ink")->getID() > pFirst->getID());
    }

    void textTakesTheFormatOfItsBlock_data()
    {
        QTest::addColumn<bool>("formatFirst");
        QTest::addColumn<bool>("throughProperties");
        QTest::newRow("block format, then string") << true << false;
        QTest::newRow("font properties, then string") << true << true;
        QTest::newRow("string, then font properties") << false << true;
    }
    void textTakesTheFormatOfItsBlock()
    {
        QFETCH(bool, formatFirst);
        QFETCH(bool, throughProperties);
        auto pText = boost::dynamic_pointer_cast<CTextComponent>(CComponent::create("text"));
        pText->setPropertyValue("string", "old text");
        QTextCharFormat format;
        format.setFontFamily("Courier");
        format.setFontPointSize(30.0);
        format.setFontWeight(QFont::Bold);
        format.setForeground(QColor(Qt::red));
        auto applyFormat = [&]() {
            if (!throughProperties) {
                QTextCursor cursor(pText->document());
                cursor.mergeBlockCharFormat(format);
                return;
            }
            pText->setPropertyValue("fontfamily", "Courier");
            pText->setPropertyValue("fontsize", 30.0);
            pText->setPropertyValue("bold", true);
            pText->setPropertyValue("fontcolor", QColor(Qt::red));
        };
        if (formatFirst)
            applyFormat();
        pText->setPropertyValue("string", "Hello");
        if (!formatFirst)
            applyFormat();

        QCOMPARE(pText->toPlainText(), QStringLiteral("Hello"));
        QTextCursor end(pText->document());
        end.movePosition(QTextCursor::End);
        // The shown text and the text typed next both carry the format.
        for (const QTextCharFormat& shown : {end.charFormat(), end.blockCharFormat()})
            for (int iProperty : {QTextFormat::FontFamily, QTextFormat::FontPointSize,
                                  QTextFormat::FontWeight, QTextFormat::ForegroundBrush})
                QCOMPARE(shown.property(iProperty), format.property(iProperty));
    }

    void alignmentShowsInEveryLine_data()
    {
        QTest::addColumn<QVariant>("alignment");
        QTest::addColumn<double>("shift");
        QTest::newRow("left") << QVariant(int(Qt::AlignLeft)) << 0.0;
        QTest::newRow("centre as flags") << QVariant::fromValue(Qt::Alignment(Qt::AlignHCenter)) << 0.5;
        QTest::newRow("right as number") << QVariant(uint(Qt::AlignRight)) << 1.0;
    }
    void alignmentShowsInEveryLine()
    {
        QFETCH(QVariant, alignment);
        QFETCH(double, shift);
        auto pText = boost::dynamic_pointer_cast<CTextComponent>(CComponent::create("text"));
        pText->setPropertyValue("alignment", alignment);
        pText->setPropertyValue("string", "a\nmuch longer line");
        const QTextLine shortLine = pText->document()->firstBlock().layout()->lineAt(0);
        const QTextLine longLine = pText->document()->lastBlock().layout()->lineAt(0);
        const double dSlack = longLine.naturalTextWidth() - shortLine.naturalTextWidth();
        QVERIFY(qAbs(shortLine.naturalTextRect().x() - longLine.naturalTextRect().x() - shift * dSlack) <
                1.0);
    }

    void frameAndFillArePainted_data()
    {
        QTest::addColumn<QString>("pen");
        QTest::addColumn<QString>("fill");
        QTest::addColumn<QColor>("edge");
        QTest::addColumn<QColor>("inside");
        const QColor red(Qt::red), green(Qt::green), white(Qt::white);
        QTest::newRow("outline and fill") << "normal;#FFFF0000"
                                          << "#FF00FF00" << red << green;
        QTest::newRow("no outline") << "null;"
                                    << "#FF00FF00" << green << green;
        QTest::newRow("fill as pen description") << "null;"
                                                 << "normal;#FF00FF00" << green << green;
        QTest::newRow("no fill") << "normal;#FFFF0000"
                                 << "null;" << red << white;
    }
    void frameAndFillArePainted()
    {
        QFETCH(QString, pen);
        QFETCH(QString, fill);
        QFETCH(QColor, edge);
        QFETCH(QColor, inside);
        auto pText = addText("Hi");
        pText->setPropertyValue("position", QPointF(100, 100));
        pText->setPropertyValue("pencolor", pen);
        pText->setPropertyValue("linewidth", 4.0);
        pText->setPropertyValue("fillcolor", fill);
        const QRectF frame = pText->QGraphicsTextItem::boundingRect();
        const double dHalfLine = pen == "null;" ? 0.0 : 2.0;
        QCOMPARE(pText->boundingRect(), frame.adjusted(-dHalfLine, -dHalfLine, dHalfLine, dHalfLine));

        // The frame's top edge is at y 100; the text starts below the document margin.
        const QImage image = renderPage();
        const int iMiddle = 100 + int(frame.width() / 2);
        QCOMPARE(image.pixelColor(iMiddle, 101), edge);
        QCOMPARE(image.pixelColor(iMiddle, 103), inside);
        QCOMPARE(image.pixelColor(iMiddle, 96), QColor(Qt::white));
    }

    void inkShowsItsStrokes()
    {
        TComponent pInk = CComponent::create("ink");
        pInk->setPropertyValue("pencolor", "normal;#FF0000FF");
        pInk->setPropertyValue("linewidth", 6.0);
        const QVariantList line = QVariantList() << QPointF(10, 10) << QPointF(50, 10);
        const QVariantList dot = QVariantList() << QPointF(30, 40) << QPointF(30, 40);
        pInk->setPropertyValue("strokes", QVariantList() << QVariant(line) << QVariant(dot));
        QVERIFY(CControlLayer::get()->invokeInsertCommand(pInk, -1, -1));
        const QImage image = renderPage();
        QCOMPARE(image.pixelColor(30, 10), QColor(Qt::blue));
        QCOMPARE(image.pixelColor(30, 40), QColor(Qt::blue));
        QCOMPARE(image.pixelColor(30, 25), QColor(Qt::white));
    }

    void undoOfAnInsertTakesOffExactlyThatBox()
    {
        const TComponent pFirst = addText("first");
        const TComponent pSecond = addText("second");
        QCOMPARE(undoStack()->undoText(), QStringLiteral("Insert text"));
        undoStack()->undo();
        QCOMPARE(idsOf(page()->components()), QList<qint64>() << pFirst->getID());
        QCOMPARE(pSecond->getGraphicsItem()->scene(), nullptr);
        QCOMPARE(pFirst->getGraphicsItem()->scene(), page()->scene());
        undoStack()->redo();
        QCOMPARE(idsOf(page()->components()), QList<qint64>() << pFirst->getID() << pSecond->getID());
        QVERIFY(pSecond->getGraphicsItem()->zValue() > pFirst->getGraphicsItem()->zValue());
    }

    void componentsAtFollowThePageOrder_data()
    {
        QTest::addColumn<QRectF>("rect");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("expected");
        const int iTouch = Qt::IntersectsItemShape, iInside = Qt::ContainsItemShape;
        const QRectF whole(0, 0, 1920, 1080), overlap(120, 120, 30, 30), aroundA(50, 50, 120, 120);
        QTest::newRow("whole page") << whole << iTouch << "C A D B";
        QTest::newRow("whole page, contained") << whole << iInside << "C A D B";
        QTest::newRow("overlap of A and D") << overlap << iTouch << "A D";
        QTest::newRow("overlap, contained") << overlap << iInside << "";
        QTest::newRow("around A, contained") << aroundA << iInside << "A";
        QTest::newRow("around A, touching") << aroundA << iTouch << "C A D B";
    }
    void componentsAtFollowThePageOrder()
    {
        QFETCH(QRectF, rect);
        QFETCH(int, mode);
        QFETCH(QString, expected);
        // Diagonal squares overlapping their neighbours; C goes below all, D between A and B.
        QHash<qint64, QString> names;
        names.insert(addSquare(QPointF(60, 60))->getID(), "A");
        names.insert(addSquare(QPointF(160, 160))->getID(), "B");
        names.insert(addSquare(QPointF(10, 10), 0)->getID(), "C");
        names.insert(addSquare(QPointF(110, 110), 2)->getID(), "D");

        QList<double> depths;
        const QList<CComponent*> found =
            m_pView->componentsAt(rect, &depths, Qt::ItemSelectionMode(mode), true);
        QStringList order;
        for (CComponent* pComponent : found)
            order.append(names.value(pComponent->getID()));
        QCOMPARE(order.join(' '), expected);
        QCOMPARE(depths.size(), found.size());
        for (int i = 1; i < depths.size(); ++i)
            QVERIFY(depths.at(i - 1) < depths.at(i));
    }

    void nestedBatchesAreOneUndoStep()
    {
        const TComponent pFirst = addText("one");
        const TComponent pSecond = addText("two");
        const int iSteps = undoStack()->count();
        {
            CBatchModeScope batch(-1);
            CControlLayer::get()->invokeUpdatePropertyCommand(pFirst->getID(), "string", "uno", false);
            CBatchModeScope inner(-1);
            CControlLayer::get()->invokeUpdatePropertyCommand(pSecond->getID(), "string", "dos", false);
        }
        QCOMPARE(undoStack()->count(), iSteps + 1);
        undoStack()->undo();
        QCOMPARE(pFirst->getPropertyValue("string").toString(), QStringLiteral("one"));
        QCOMPARE(pSecond->getPropertyValue("string").toString(), QStringLiteral("two"));
        undoStack()->redo();
        QCOMPARE(pSecond->getPropertyValue("string").toString(), QStringLiteral("dos"));
    }

    void mergeableChangesFoldIntoOne_data()
    {
        QTest::addColumn<bool>("otherBox");
        QTest::addColumn<QString>("property");
        QTest::addColumn<double>("value");
        QTest::addColumn<bool>("mergeable");
        QTest::addColumn<int>("steps");
        QTest::addColumn<double>("afterOneUndo");
        QTest::newRow("same property") << false << "fontsize" << 30.0 << true << 1 << 10.0;
        QTest::newRow("not mergeable") << false << "fontsize" << 30.0 << false << 2 << 20.0;
        QTest::newRow("other property") << false << "linewidth" << 30.0 << true << 2 << 20.0;
        QTest::newRow("other box") << true << "fontsize" << 30.0 << true << 2 << 20.0;
        QTest::newRow("back where it started") << false << "fontsize" << 10.0 << true << 0 << 10.0;
    }
    void mergeableChangesFoldIntoOne()
    {
        QFETCH(bool, otherBox);
        QFETCH(QString, property);
        QFETCH(double, value);
        QFETCH(bool, mergeable);
        QFETCH(int, steps);
        QFETCH(double, afterOneUndo);
        const TComponent pBox = addText("box");
        const TComponent pOther = addText("other");
        pBox->setPropertyValue("fontsize", 10.0);
        const int iSteps = undoStack()->count();
        CControlLayer* pLayer = CControlLayer::get();
        QVERIFY(pLayer->invokeUpdatePropertyCommand(pBox->getID(), "fontsize", 20.0, true));
        QVERIFY(pLayer->invokeUpdatePropertyCommand((otherBox ? pOther : pBox)->getID(), property, value,
                                                    mergeable));
        QCOMPARE(undoStack()->count() - iSteps, steps);
        if (steps > 0)
            undoStack()->undo();
        QCOMPARE(pBox->getPropertyValue("fontsize").toDouble(), afterOneUndo);
    }

    void typingIsUndoneAsOneChange()
    {
        auto pText = addText("Hello");
        pText->setPropertyValue("fontfamily", "Courier");
        pText->setPropertyValue("locked", true);
        QVERIFY(!CEditTextHelper().startEditText(pText.get()));
        QVERIFY(!CEditTextHelper().startEditText(addSquare(QPointF()).get()));
        pText->setPropertyValue("locked", false);
        QVERIFY(CEditTextHelper().startEditText(pText.get()));
        QCOMPARE(CHostJournal::entries("CEditTextHelper::startEditText"),
                 QStringList() << QStringLiteral("CEditTextHelper::startEditText %1").arg(pText->getID()));
        QTextCursor cursor = pText->textCursor();
        QVERIFY(cursor.atEnd());
        cursor.insertText(" world");
        pText->finishEditing();
        QCOMPARE(pText->textInteractionFlags(), Qt::NoTextInteraction);
        QCOMPARE(pText->getPropertyValue("string").toString(), QStringLiteral("Hello world"));
        QCOMPARE(undoStack()->undoText(), QStringLiteral("Change string"));

        undoStack()->undo();
        QCOMPARE(pText->toPlainText(), QStringLiteral("Hello"));
        undoStack()->redo();
        QTextCursor end(pText->document());
        end.movePosition(QTextCursor::End);
        QCOMPARE(end.charFormat().fontFamily(), QStringLiteral("Courier"));
    }

    void undoWhileTypingTakesTheNewBoxAway()
    {
        // Shown and active: the page starts at the view's corner, and the box really has the focus and
        // loses it when it leaves the page.
        m_pView->show();
        QVERIFY(QTest::qWaitForWindowActive(m_pView.get()));
        QCOMPARE(m_pView->mapToScene(0, 0), QPointF(0, 0));
        auto pText = addText(QString());
        QVERIFY(CEditTextHelper().startEditText(pText.get()));
        QVERIFY(pText->hasFocus());
        pText->textCursor().insertText("typed");
        undoStack()->undo();
        QCOMPARE(page()->componentCount(), 0);
        QCOMPARE(undoStack()->count(), 1);
        undoStack()->redo();
        QCOMPARE(page()->getComponent(pText->getID()), pText.get());
        QCOMPARE(pText->getPropertyValue("string").toString(), QStringLiteral("typed"));
    }

    void deleteAndUndoRestoreThePage()
    {
        QList<TComponent> squares;
        for (int i = 0; i < 4; ++i)
            squares.append(addSquare(QPointF(20 * i, 20 * i)));
        const QList<qint64> all = idsOf(page()->components());
        QVERIFY(!CControlLayer::get()->invokeDeleteCommand(QList<qint64>() << -5));
        QVERIFY(CControlLayer::get()->invokeDeleteCommand(QList<qint64>() << all.at(1) << all.at(3)));
        QCOMPARE(idsOf(page()->components()), QList<qint64>() << all.at(0) << all.at(2));
        QCOMPARE(squares.at(1)->getGraphicsItem()->scene(), nullptr);

        undoStack()->undo();
        QCOMPARE(idsOf(page()->components()), all);
        const QRectF whole = page()->scene()->sceneRect();
        QCOMPARE(idsOf(m_pView->componentsAt(whole, nullptr, Qt::IntersectsItemShape, true)), all);
    }

    void theHostGoesDownWithComponentsInEveryState()
    {
        const TComponent pKept = addText("kept by the caller");
        addText("only on the undo stack");
        undoStack()->undo();
        addSquare(QPointF(10, 10));
        const TComponent pDeleted = addSquare(QPointF(30, 30));
        CControlLayer::get()->invokeDeleteCommand(QList<qint64>() << pDeleted->getID());
        COrrery::getSelectionManager()->select(pKept.get());
        m_pView->show();
        QVERIFY(QTest::qWaitForWindowActive(m_pView.get()));
        auto pEditing = addText("being edited");
        QVERIFY(CEditTextHelper().startEditText(pEditing.get()));
        pEditing->textCursor().insertText(" and typed");

        init();
        QCOMPARE(pKept->getGraphicsItem()->scene(), nullptr);
        QCOMPARE(pEditing->getPropertyValue("string").toString(), QStringLiteral("being edited and typed"));
        QCOMPARE(page()->componentCount(), 0);
        QCOMPARE(undoStack()->count(), 0);
    }

    void colourTextsRoundTrip_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QColor>("colour");
        QTest::addColumn<QString>("encoded");
        QTest::addColumn<bool>("makesPen");
        QTest::addColumn<QString>("penType");
        const QColor none;
        QTest::newRow("argb") << "#80FF0000" << QColor(255, 0, 0, 128) << "#80FF0000" << false << "";
        QTest::newRow("rgb") << "#00FF00" << QColor(0, 255, 0) << "#FF00FF00" << false << "";
        QTest::newRow("lower case") << "#ff0000ff" << QColor(0, 0, 255) << "#FF0000FF" << false << "";
        QTest::newRow("normal pen") << "normal;#FFFF0000" << QColor(Qt::red) << "#FFFF0000" << true
                                    << "normal";
        QTest::newRow("highlighter") << "highlighter;#8000FF00" << QColor(0, 255, 0, 128) << "#8000FF00"
                                     << true << "highlighter";
        QTest::newRow("no pen") << "null;" << none << "" << false << "null";
        QTest::newRow("unknown type")
            << "crayon;#FF000000" << QColor(Qt::black) << "#FF000000" << false << "crayon";
        QTest::newRow("pen without colour") << "normal;" << none << "" << false << "normal";
        QTest::newRow("bad hex") << "#GG0000" << none << "" << false << "";
        QTest::newRow("colour name") << "red" << none << "" << false << "";
    }
    void colourTextsRoundTrip()
    {
        QFETCH(QString, text);
        QFETCH(QColor, colour);
        QFETCH(QString, encoded);
        QFETCH(bool, makesPen);
        QFETCH(QString, penType);
        const QColor decoded = CPenBase::decodeColor(text);
        QCOMPARE(decoded.isValid(), colour.isValid());
        QCOMPARE(decoded.rgba(), colour.rgba());
        QCOMPARE(CPenBase::encodeColor(decoded), encoded);
        QCOMPARE(CPenBase::getPenType(text), penType);
        const boost::shared_ptr<CPenBase> pPen = CPenFactory::createPen(text);
        QCOMPARE(bool(pPen), makesPen);
        if (pPen)
            QCOMPARE(pPen->description(), penType + ";" + encoded);
    }

    void selectAtPicksTheFrontMost_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("controls");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QPointF>("point");
        QTest::addColumn<QString>("after");
        const QPointF overlap(75, 75), empty(500, 500);
        const int iNone = CSelectionManager::eNoControl, iAdd = CSelectionManager::eAddToSelection;
        const int iToggle = CSelectionManager::eToggle | CSelectionManager::eAddToSelection;
        QTest::newRow("click on the overlap") << "" << iNone << "B" << overlap << "B";
        QTest::newRow("click replaces the selection") << "A" << iNone << "B" << overlap << "B";
        QTest::newRow("added to the selection") << "A" << iAdd << "B" << overlap << "A B";
        QTest::newRow("toggled off") << "A B" << iToggle << "B" << overlap << "A";
        QTest::newRow("click on the selected one") << "B" << iNone << "B" << overlap << "B";
        QTest::newRow("click on the empty board") << "A" << iNone << "" << empty << "";
    }
    void selectAtPicksTheFrontMost()
    {
        QFETCH(QString, before);
        QFETCH(int, controls);
        QFETCH(QString, answer);
        QFETCH(QPointF, point);
        QFETCH(QString, after);
        QHash<QString, TComponent> squares;
        squares.insert("A", addSquare(QPointF(0, 0)));
        squares.insert("B", addSquare(QPointF(50, 50)));
        CSelectionManager* pManager = COrrery::getSelectionManager();
        for (const QString& strName : before.split(' ', Qt::SkipEmptyParts))
            pManager->select(squares.value(strName).get(), true);
        QSignalSpy spy(pManager, &CSelectionManager::signalSelectionChanged);

        const QPoint viewPoint = m_pView->mapFromScene(point);
        CComponent* pAnswer = pManager->selectAt(viewPoint, CSelectionManager::ESelectionControls(controls));
        QCOMPARE(pAnswer, squares.value(answer).get());
        QStringList selected;
        for (CComponent* pComponent : pManager->selectedComponents())
            selected.append(pComponent == squares.value("A").get() ? "A" : "B");
        QCOMPARE(selected.join(' '), after);
        QCOMPARE(spy.count(), after == before ? 0 : 1);
        // Both squares lie under the overlap: the selected ones come back front-most first.
        QList<CComponent*> frontFirst = pManager->selectedComponents();
        std::reverse(frontFirst.begin(), frontFirst.end());
        QCOMPARE(pManager->selectedItemsUnderMouse(m_pView->mapFromScene(QPointF(75, 75))), frontFirst);
        QCOMPARE(CHostJournal::entries("CSelectionManager::selectAt").last(),
                 QStringLiteral("CSelectionManager::selectAt %1,%2 -> %3")
                     .arg(viewPoint.x())
                     .arg(viewPoint.y())
                     .arg(answer.isEmpty() ? "none" : "picture"));
    }

    void atomicScopesNest()
    {
        auto pOuter = std::make_unique<CAtomicOperationScope>();
        auto pInner = std::make_unique<CAtomicOperationScope>();
        QVERIFY(pOuter->isInAtomicScope());
        QVERIFY(!pInner->isInAtomicScope());
        QCOMPARE(CAtomicOperationScope::depth(), 2);
        pInner.reset();
        pOuter.reset();
        QCOMPARE(CAtomicOperationScope::depth(), 0);
        QVERIFY(CAtomicOperationScope().isInAtomicScope());
    }

private:
    QTemporaryDir m_settingsDir;
    std::unique_ptr<COrreryView> m_pView;
};

QTEST_MAIN(tst_Board)
#include "tst_board.moc"
