// Finished writing turned into text on the board: the size of the letters, the text box made or
// overwritten, undo, the readings offered in a menu, and writing or readings out of the ordinary.
#include "boardhost.h"
#include "controllayer.h"
#include "handwritingkeeper.h"
#include "hostjournal.h"
#include "insertcommand.h"
#include "picturecomponent.h"
#include "scribble.h"
#include "textcomponent.h"
#include "textpenplugin.h"
#include "texttool.h"
#include "toolmanager.h"
#include "tooltextpen.h"
#include "topic.h"
#include "userinput.h"
#include "workspace.h"

#include <QMenu>
#include <QScrollBar>
#include <QTextDocument>
#include <QUndoStack>
#include <QtTest>
#include <boost/make_shared.hpp>
#include <memory>

namespace {

const QString c_strTool = QStringLiteral("textpenplugin.handtext");
const QString c_strRecognitionError = QStringLiteral("Error in text recognition");

// The board's second kind of text box.
struct COtherTextBox : CTextComponent
{
    QString getType() const override { return QStringLiteral("textpen.component.textbox"); }
};

// Calls itself a text box, yet shows a picture.
struct CPictureCalledText : CPictureComponent
{
    QString getType() const override { return QStringLiteral("text"); }
};

// Calls itself a text box, yet has no item, so the board will not take it.
struct CTextWithoutItem : CComponent
{
    QString getType() const override { return QStringLiteral("text"); }
    QGraphicsItem* getGraphicsItem() override { return nullptr; }
};

template <class T>
boost::shared_ptr<CComponent> make()
{
    return boost::make_shared<T>();
}

QVariant valueOf(const CComponent* pComponent, const char* szName)
{
    return pComponent->getPropertyValue(QLatin1String(szName));
}

// The box's text when its item shows the same, else both.
QString textOf(CComponent* pComponent)
{
    const QString strText = valueOf(pComponent, "string").toString();
    const auto* pItem = dynamic_cast<QGraphicsTextItem*>(pComponent->getGraphicsItem());
    const QString strShown = pItem ? pItem->document()->toPlainText() : QStringLiteral("(no text item)");
    return strShown == strText ? strText : strText + QStringLiteral(" / shown: ") + strShown;
}

// Answers the menu of readings, which runs an event loop of its own, once it shows: notes its entries
// and the texts on the board while it is open, then picks entry iChoice (Return) or, when iChoice names
// no entry, dismisses the menu (Escape).
class CMenuAnswer : public QObject
{
public:
    explicit CMenuAnswer(int iChoice) : m_iChoice(iChoice) { qApp->installEventFilter(this); }

    bool m_bShown = false;
    QStringList m_entries, m_textsWhileOpen;

protected:
    bool eventFilter(QObject* pObject, QEvent* pEvent) override
    {
        if (pEvent->type() == QEvent::Show && qobject_cast<QMenu*>(pObject))
            QTimer::singleShot(0, this, &CMenuAnswer::answer);
        return false;
    }

private:
    void answer()
    {
        QMenu* pMenu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!pMenu)
            return;
        m_bShown = true;
        const QList<QAction*> actions = pMenu->actions();
        for (const QAction* pAction : actions)
            m_entries.append(pAction->text());
        for (CComponent* pComponent : CBoardHost::page()->components())
            m_textsWhileOpen.append(textOf(pComponent));
        const bool bPick = m_iChoice >= 0 && m_iChoice < actions.size();
        if (bPick)
            pMenu->setActiveAction(actions.at(m_iChoice));
        QTest::keyClick(pMenu, bPick ? Qt::Key_Return : Qt::Key_Escape);
    }

    int m_iChoice;
};

// A word-like zig-zag reaching exactly the edges of bounds (view pixels), and a dot inside it.
QVector<QVector<QPointF>> zigZag(const QRect& bounds)
{
    QVector<QPointF> word;
    for (int i = 0; i <= 6; ++i)
        word.append(QPointF(bounds.left() + bounds.width() * i / 6.0,
                            i % 2 ? bounds.top() + double(bounds.height()) : bounds.top()));
    const QPointF middle(bounds.left() + bounds.width() / 2.0, bounds.top() + bounds.height() / 2.0);
    return {word, {middle, middle + QPointF(1.0, 0.0)}};
}

// The text pen's settings for a new box.
struct SStyle
{
    QString strFamily;
    bool bBold, bItalic, bUnderline;
    QColor fontColor;
    QString strOutline;
    QColor fill;
    int iLineStyle;
    double dLineWidth;
    int iAlignment;
};

} // namespace

Q_DECLARE_METATYPE(SStyle)
Q_DECLARE_METATYPE(CComponent::FFactory)

class tst_TextPenWriting : public QObject
{
    Q_OBJECT

private:
    CBoardHost m_host;
    CTextPenPlugIn m_plugin;
    COrreryView* m_pView = nullptr;
    CToolTextPen* m_pTool = nullptr;
    CScriptedRecognizer* m_pRecognizer = nullptr;

    static CToolManager& tools() { return *COrrery::getToolManager(); }
    static CTopic* board() { return CBoardHost::page(); }
    static QUndoStack* undoStack() { return CControlLayer::get()->undoStack(); }

    void setPenProperty(const char* szName, const QVariant& value)
    {
        QVERIFY(tools().setToolProperty(c_strTool, QLatin1String(szName), value, false));
    }

    // The box the first undo step inserted, when it is all there is on the board; else null.
    static CComponent* theNewBox()
    {
        const auto* pInsert =
            undoStack()->count() ? dynamic_cast<const CInsertCommand*>(undoStack()->command(0)) : nullptr;
        CComponent* pBox = pInsert ? pInsert->component().get() : nullptr;
        return board()->componentCount() == 1 && board()->components().first() == pBox ? pBox : nullptr;
    }

    // Magnifies the board, its top-left corner still at the view's; false when the view will not.
    bool zoomView(double dScale)
    {
        m_pView->setTransform(QTransform::fromScale(dScale, dScale));
        m_pView->horizontalScrollBar()->setValue(m_pView->horizontalScrollBar()->minimum());
        m_pView->verticalScrollBar()->setValue(m_pView->verticalScrollBar()->minimum());
        return m_pView->mapToScene(QPoint(100, 60)) == QPointF(100 / dScale, 60 / dScale);
    }

    // Hands the pen finished writing over bounds; false when its bounds on the view are not exactly these.
    bool writeOver(const QRect& bounds)
    {
        const auto pScribble = boost::make_shared<CScribble>();
        qint64 iTime = 1000;
        for (const QVector<QPointF>& stroke : zigZag(bounds)) {
            pScribble->beginStroke(stroke.first(), iTime += 120);
            for (int i = 1; i < stroke.size(); ++i)
                pScribble->addPoint(stroke.at(i), iTime += 15);
        }
        m_pTool->onPenInput(pScribble);
        return QRect(pScribble->getRectBound()) == bounds;
    }

    // Places "kind" or "kind@depth" at (100, 100) on the view; kinds: text, locked text, other text, picture.
    boost::shared_ptr<CComponent> placeOnBoard(const QString& strPiece)
    {
        const QString strKind = strPiece.section(QLatin1Char('@'), 0, 0);
        const boost::shared_ptr<CComponent> pComponent =
            strKind == QLatin1String("other text") ? make<COtherTextBox>()
            : strKind == QLatin1String("picture")  ? CPictureComponent::make()
                                                   : CTextComponent::make();
        pComponent->setPropertyValue("position", m_pView->mapToScene(QPoint(100, 100)));
        if (strKind == QLatin1String("picture")) {
            QImage image(240, 120, QImage::Format_ARGB32);
            image.fill(Qt::darkGray);
            pComponent->setPropertyValue("image", image);
        } else {
            pComponent->setPropertyValue("string", "old words");
            pComponent->setPropertyValue("alignment", static_cast<unsigned int>(Qt::AlignLeft));
            pComponent->setPropertyValue("locked", strKind == QLatin1String("locked text"));
        }
        if (board()->addComponent(pComponent) && strPiece.contains(QLatin1Char('@')))
            pComponent->getGraphicsItem()->setZValue(strPiece.section(QLatin1Char('@'), 1).toDouble());
        return pComponent;
    }

private slots:
    void init()
    {
        m_host.start();
        m_pView = m_host.view();
        m_pView->setFixedSize(800, 600);
        m_pView->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_pView));
        m_pRecognizer = CBoardHost::useScriptedRecognizer();
        QVERIFY(m_pRecognizer && m_plugin.setUp());
        m_pTool = dynamic_cast<CToolTextPen*>(tools().getToolByName(c_strTool));
        QVERIFY(m_pTool);
        QVERIFY(tools().activate(c_strTool));
        // Ink drawn by hand waits for the case to hand it on.
        COrrery::getUserSettings()->setValue(QStringLiteral("pen/writingpause"), 60000);
    }
    void cleanup() { m_host.stop(); }

    // A new box holds the reading exactly, in letters sized to the writing's height on the board up to
    // a cap, and in the text pen's settings.
    void aNewTextBoxHoldsTheReadingInTheTextSettings_data()
    {
        QTest::addColumn<double>("ratio");
        QTest::addColumn<double>("zoom");
        QTest::addColumn<QRect>("bounds"); // of the writing on the view
        QTest::addColumn<QString>("reading");
        QTest::addColumn<double>("fontSize");
        QTest::addColumn<SStyle>("style"); // no font family: the pen's defaults, whose box is not checked
        QTest::addColumn<bool>("alignmentFromTextTool");
        QTest::addColumn<double>("boxLineWidth");
        const auto sized = [](const char* szRow, double dRatio, double dZoom, const QRect& bounds,
                              const QString& strReading, double dFontSize) {
            QTest::newRow(szRow) << dRatio << dZoom << bounds << strReading << dFontSize << SStyle() << false
                                 << 0.0;
        };
        const auto span = [](int iSpan) { return QRect(40, 30, 120, iSpan + 1); }; // top row to bottom row
        sized("small writing: the smallest size", 2.0, 1.0, span(100), "a", 70.0);
        sized("300 high", 2.0, 1.0, span(300), "a", 105.0);
        sized("400 high: capped", 2.0, 1.0, span(400), "a", 128.0);
        sized("ratio 1.5: the cap follows the ratio", 1.5, 1.0, span(300), "a", 96.0);
        sized("three lines share the smallest height", 1.0, 1.0, span(120), "a\nb\nc", 140 / 3.0);
        sized("no text counts one line", 2.0, 1.0, span(300), "", 105.0);
        sized("a final line feed starts a second line", 2.0, 1.0, span(300), "a\n", 52.5);
        sized("zoomed out: 150 view pixels are 300 on the board", 2.0, 0.5, span(150), "a", 105.0);
        sized("100 high at 100 %: a tenth of a pixel a unit", 4.0, 0.1, span(100), "a", 175.0);
        sized("100 high at 200 %: half as large on the board", 4.0, 0.2, span(100), "a", 87.5);
        sized("flat: the cap is below the smallest size", 1.0, 1.0, QRect(100, 200, 300, 0), "far", 64.0);
        sized("ten million pixels away", 2.0, 1.0, QRect(10000000, 10000000, 240, 100), "far", 70.0);
        sized("from ten million above to ten million below", 2.0, 1.0,
              QRect(-10000000, -10000000, 20000000, 20000000), "far", 128.0);
        sized("ten thousand characters", 1.0, 1.0, span(300), QString(10000, QLatin1Char('w')), 64.0);
        sized("five hundred lines", 1.0, 1.0, span(300),
              QString(QStringLiteral("line\n")).repeated(499) + QStringLiteral("line"), 210 / 500.0);
        sized("right to left and outside the basic plane, on two lines", 1.0, 1.0, span(300),
              QString::fromUcs4(U"abc \u0645\u0631\u062d\u0628\u0627\n\U0001F600 def"), 64.0);
        const SStyle boldRed = {
            "DejaVu Serif",           true, false, false,           Qt::red, "normal;#FF0000FF",
            QColor(255, 255, 0, 128), 2,    4.0,   Qt::AlignHCenter};
        const SStyle italicBlue = {"Liberation Mono", false,     true, true, Qt::blue,
                                   "null;",           Qt::white, 3,    2.5,  Qt::AlignRight};
        QTest::newRow("bold red centred with outline, ratio 1.5")
            << 1.5 << 1.0 << QRect(60, 200, 300, 150) << "Hello board" << 200 * 0.7 / 1.5 << boldRed << false
            << 6.0;
        // 600 view pixels high at twice the size are 300 on the board.
        QTest::newRow("zoomed in twice, italic underlined blue, right-aligned by the text tool")
            << 2.0 << 2.0 << QRect(300, 100, 180, 601) << "Hello board" << 105.0 << italicBlue << true << 5.0;
    }
    void aNewTextBoxHoldsTheReadingInTheTextSettings()
    {
        QFETCH(double, ratio);
        QFETCH(double, zoom);
        QFETCH(QRect, bounds);
        QFETCH(QString, reading);
        QFETCH(double, fontSize);
        QFETCH(SStyle, style);
        QFETCH(bool, alignmentFromTextTool);
        QFETCH(double, boxLineWidth);
        const bool bStyled = !style.strFamily.isEmpty();
        COrrery::setLPToDPRatio(ratio);
        QVERIFY(zoomView(zoom));
        if (alignmentFromTextTool) {
            QVERIFY(tools().registerTool(boost::make_shared<CTextTool>()));
            QVERIFY(tools().setToolProperty("text", "alignment", style.iAlignment, false));
            QVERIFY(tools().activate(c_strTool));
        } else if (bStyled) {
            setPenProperty("textpen.alignment", style.iAlignment);
        }
        if (bStyled) {
            setPenProperty("textpen.fontfamily", style.strFamily);
            setPenProperty("textpen.bold", style.bBold);
            setPenProperty("textpen.italic", style.bItalic);
            setPenProperty("textpen.underline", style.bUnderline);
            setPenProperty("textpen.fontcolor", style.fontColor);
            setPenProperty("textpen.linecolor", style.strOutline);
            setPenProperty("textpen.fillcolor", style.fill);
            setPenProperty("textpen.linestyle", style.iLineStyle);
            setPenProperty("textpen.linewidth", style.dLineWidth);
        }
        m_pRecognizer->setStandingAnswer({reading});

        QVERIFY(writeOver(bounds));

        QCOMPARE(m_host.messages(), QStringList());
        QCOMPARE(undoStack()->count(), 1);
        CComponent* pBox = theNewBox();
        QVERIFY(pBox);
        const QPointF position = QPointF(bounds.topLeft()) / zoom;
        QCOMPARE(valueOf(pBox, "position").toPointF(), position);
        QCOMPARE(valueOf(pBox, "fontsize").toDouble(), fontSize);
        QVERIFY(textOf(pBox) == reading); // not QCOMPARE: some readings are too long to print
        if (!bStyled)
            return;
        QCOMPARE(pBox->getType(), QStringLiteral("text"));
        QCOMPARE(pBox->getGraphicsItem()->scene(), m_pView->scene());
        const QVariantMap expected = {{"fontfamily", style.strFamily},
                                      {"bold", style.bBold},
                                      {"italic", style.bItalic},
                                      {"underline", style.bUnderline},
                                      {"fontcolor", style.fontColor},
                                      {"verticalalignment", int(Qt::AlignTop)},
                                      {"pencolor", style.strOutline},
                                      {"fillcolor", style.fill},
                                      {"linewidth", boxLineWidth},
                                      {"linestyle", style.iLineStyle},
                                      {"alignment", uint(style.iAlignment)}};
        for (auto it = expected.cbegin(); it != expected.cend(); ++it)
            QVERIFY2(pBox->getPropertyValue(it.key()) == it.value(), qPrintable(it.key()));
        QCOMPARE(valueOf(pBox, "alignment").userType(), int(QMetaType::UInt));
    }

    // Which box the writing overwrites, if any, and that one undo takes it all back.
    void theWritingOverwritesTheFrontMostFreeTextBox_data()
    {
        QTest::addColumn<bool>("overwrite");
        QTest::addColumn<QStringList>("pieces"); // on the board under the writing, in the order placed
        QTest::addColumn<int>("overwritten");    // index into pieces; -1: a new box is made
        QTest::newRow("overwriting off") << false << QStringList{"text"} << -1;
        QTest::newRow("one text box") << true << QStringList{"text"} << 0;
        QTest::newRow("depth 2 placed before depth 1") << true << QStringList{"text@2", "text@1"} << 0;
        QTest::newRow("depth 1 placed before depth 2") << true << QStringList{"text@1", "text@2"} << 1;
        QTest::newRow("equal depths: the one placed later") << true << QStringList{"text@3", "text@3"} << 1;
        QTest::newRow("only a box at a negative depth") << true << QStringList{"text@-2"} << -1;
        QTest::newRow("picture on top of a text box") << true << QStringList{"text", "picture"} << -1;
        QTest::newRow("locked text box") << true << QStringList{"locked text"} << -1;
        QTest::newRow("the other kind of text box") << true << QStringList{"other text"} << 0;
    }
    void theWritingOverwritesTheFrontMostFreeTextBox()
    {
        QFETCH(bool, overwrite);
        QFETCH(QStringList, pieces);
        QFETCH(int, overwritten);
        setPenProperty("overwritetextbox", overwrite);
        setPenProperty("textpen.alignment", int(Qt::AlignHCenter));
        const QRect writing(110, 105, 120, 40);
        QVector<boost::shared_ptr<CComponent>> placed;
        for (const QString& strPiece : pieces)
            placed.append(placeOnBoard(strPiece));
        const auto snapshot = [&placed] {
            QVector<QHash<QString, QVariant>> properties;
            for (const boost::shared_ptr<CComponent>& pPiece : placed) {
                properties.append(QHash<QString, QVariant>());
                for (const QString& strName : pPiece->getPropertyNames())
                    properties.last().insert(strName, pPiece->getPropertyValue(strName));
            }
            return properties;
        };
        const QVector<QHash<QString, QVariant>> before = snapshot();
        QVector<QHash<QString, QVariant>> after = before;
        if (overwritten >= 0) {
            after[overwritten]["string"] = "new words";
            after[overwritten]["alignment"] = int(Qt::AlignHCenter);
        }
        QCOMPARE(m_pView
                     ->componentsAt(m_pView->mapToScene(writing).boundingRect(), nullptr,
                                    Qt::IntersectsItemBoundingRect, true)
                     .size(),
                 pieces.size());
        m_pRecognizer->setStandingAnswer({"new words"});

        QVERIFY(writeOver(writing));

        QCOMPARE(m_host.messages(), QStringList());
        QCOMPARE(undoStack()->count(), 1);
        QCOMPARE(undoStack()->undoText(), QString(overwritten < 0 ? "Insert text" : "Replace text"));
        QVERIFY(snapshot() == after);
        const auto* pInsert = dynamic_cast<const CInsertCommand*>(undoStack()->command(0));
        QCOMPARE(pInsert != nullptr, overwritten < 0);
        const boost::shared_ptr<CComponent> pWritten =
            pInsert ? pInsert->component() : placed.at(overwritten);
        QCOMPARE(board()->componentCount(), pieces.size() + (pInsert ? 1 : 0));
        QCOMPARE(board()->getComponent(pWritten->getID()), pWritten.get());
        QCOMPARE(textOf(pWritten.get()), QStringLiteral("new words"));

        undoStack()->undo();
        QCOMPARE(board()->componentCount(), pieces.size());
        QVERIFY(snapshot() == before);
        QCOMPARE(board()->getComponent(pWritten->getID()), pInsert ? nullptr : pWritten.get());
        QCOMPARE(pWritten->getGraphicsItem()->scene(), pInsert ? nullptr : m_pView->scene());
        if (!pInsert)
            QCOMPARE(textOf(pWritten.get()), QStringLiteral("old words"));
        undoStack()->redo();
        QCOMPARE(board()->getComponent(pWritten->getID()), pWritten.get());
        QCOMPARE(textOf(pWritten.get()), QStringLiteral("new words"));
    }

    // The writing stays with the text it became, in the same undo step, whether the box is new or
    // written over, through a reading picked from the menu; it shows in place of the box and the box in
    // place of it, one step each, following the box and the ink where they were moved.
    void theWritingStaysWithItsTextAndTakesItsPlace_data()
    {
        QTest::addColumn<bool>("overBox");  // written a second time, over the first box
        QTest::addColumn<int>("choice");    // the reading picked from the menu; -1: no menu
        QTest::addColumn<QPointF>("moved"); // the box, then the ink shown, moved by this much
        QTest::newRow("a new box") << false << -1 << QPointF();
        QTest::newRow("another reading picked, moved") << false << 0 << QPointF(300, -50);
        QTest::newRow("written over") << true << -1 << QPointF();
        QTest::newRow("written over, another reading picked") << true << 0 << QPointF();
    }
    // The recognizer hears of every stroke: what was read ahead goes as the next stroke begins, and
    // the writing it is asked for at last is the one it read ahead last.
    void eachStrokeIsReadAheadUntilTheNextBegins()
    {
        m_pRecognizer->setStandingAnswer({"hello"});
        drawZigZagWord(m_pView->viewport(), QRect(170, 130, 120, 40));
        m_pTool->finishWriting();
        const QList<QVector<QVector<QPointF>>> ahead = m_pRecognizer->readAheads();
        QCOMPARE(ahead.size(), 6);
        for (int i = 0; i < ahead.size(); i += 2) {
            QVERIFY(ahead[i].isEmpty());
            QCOMPARE(ahead[i + 1].size(), i / 2 + 1);
        }
        QCOMPARE(ahead.last(), m_pRecognizer->received().last());
    }

    void theWritingStaysWithItsTextAndTakesItsPlace()
    {
        QFETCH(bool, overBox);
        QFETCH(int, choice);
        QFETCH(QPointF, moved);
        setPenProperty("overwritetextbox", true);
        m_pRecognizer->setStandingAnswer({"hello", "hullo"});
        const auto kept = [](CComponent* pBox) { return valueOf(pBox, "handwriting").toMap(); };
        QVariantMap earlier;
        if (overBox) {
            drawZigZagWord(m_pView->viewport(), QRect(150, 120, 180, 60));
            m_pTool->finishWriting();
            earlier = kept(board()->components().value(0));
            QVERIFY(!earlier.isEmpty());
        }
        setPenProperty("showcandidates", choice >= 0);
        CMenuAnswer answer(choice);
        drawZigZagWord(m_pView->viewport(), QRect(170, 130, 120, 40));
        m_pTool->finishWriting();
        QVariantList written;
        for (const QVector<QPointF>& stroke : m_pRecognizer->received().last())
            written.append(QVariant(QVariantList(stroke.begin(), stroke.end())));
        QCOMPARE(board()->componentCount(), 1);
        CComponent* pBox = board()->components().first();
        QCOMPARE(textOf(pBox), QString(choice < 0 ? "hello" : "hullo"));
        const QVariantMap writing = kept(pBox);
        QCOMPARE(writing.value("strokes").toList(), written);
        QCOMPARE(writing.value("origin"), valueOf(pBox, "position"));
        for (int i = choice < 0 ? 0 : 1; i >= 0; --i)
            undoStack()->undo();
        QCOMPARE(board()->componentCount(), overBox ? 1 : 0);
        if (overBox)
            QCOMPARE(kept(pBox), earlier);
        while (undoStack()->canRedo())
            undoStack()->redo();
        QCOMPARE(kept(pBox), writing);

        const QPointF position = valueOf(pBox, "position").toPointF() + moved;
        CControlLayer::get()->invokeMoveCommand({{pBox->getID(), position - moved, position}});
        QHash<QString, QVariant> box;
        for (const QString& strName : pBox->getPropertyNames())
            box.insert(strName, pBox->getPropertyValue(strName));
        CComponent* pAbove = placeOnBoard("picture").get();
        pBox->getGraphicsItem()->setZValue(0.5);
        const int iSteps = undoStack()->count();
        CComponent* pInk = CHandwritingKeeper::showHandwriting(pBox->getID());
        QVERIFY(pInk && board()->components() == (QList<CComponent*>{pInk, pAbove}));
        QCOMPARE(valueOf(pInk, "strokes").toList(), written);
        QCOMPARE(pInk->getGraphicsItem()->pos(), moved);
        QCOMPARE(pInk->getGraphicsItem()->zValue(), 0.5);
        QCOMPARE(undoStack()->undoText(), QStringLiteral("Show handwriting"));
        CControlLayer::get()->invokeMoveCommand({{pInk->getID(), moved, moved * 2}});
        box["position"] = position + moved;
        CComponent* pText = CHandwritingKeeper::showText(pInk->getID());
        QVERIFY(pText && board()->components() == (QList<CComponent*>{pText, pAbove}));
        for (const QString& strName : pText->getPropertyNames())
            QVERIFY2(box.take(strName) == pText->getPropertyValue(strName), qPrintable(strName));
        QVERIFY(box.isEmpty());
        QCOMPARE(undoStack()->undoText(), QStringLiteral("Show text"));
        QCOMPARE(undoStack()->count(), iSteps + (moved.isNull() ? 2 : 3));
        for (int i = moved.isNull() ? 1 : 2; i > 0; --i)
            undoStack()->undo();
        QVERIFY(board()->components() == (QList<CComponent*>{pInk, pAbove}));
        undoStack()->undo();
        QVERIFY(board()->components() == (QList<CComponent*>{pBox, pAbove}));
    }

    // Words written in two places within the pause are read apart, each placed where it was written.
    void wordsFarApartBecomeBoxesApart_data()
    {
        QTest::addColumn<QRect>("second"); // the first word is written over (40, 30, 150, 40)
        QTest::addColumn<QList<QPointF>>("boxes");
        QTest::addColumn<bool>("otherTool"); // another tool is picked within the pause
        const QList<QPointF> apart{{40, 30}, {500, 400}};
        QTest::newRow("far apart") << QRect(500, 400, 150, 40) << apart << false;
        QTest::newRow("side by side: one piece")
            << QRect(210, 30, 150, 40) << QList<QPointF>{{40, 30}} << false;
        QTest::newRow("far apart, then Text") << QRect(500, 400, 150, 40) << apart << true;
    }
    void wordsFarApartBecomeBoxesApart()
    {
        QFETCH(QRect, second);
        QFETCH(QList<QPointF>, boxes);
        QFETCH(bool, otherTool);
        m_pRecognizer->setStandingAnswer({"word"});
        drawZigZagWord(m_pView->viewport(), QRect(40, 30, 150, 40));
        drawZigZagWord(m_pView->viewport(), second);
        if (otherTool)
            QVERIFY(tools().registerTool(boost::make_shared<CTextTool>()) && tools().activate("text"));
        else
            m_pTool->finishWriting();
        QList<QPointF> placed;
        for (CComponent* pBox : board()->components())
            placed.append(m_pView->mapFromScene(valueOf(pBox, "position").toPointF()));
        QCOMPARE(placed, boxes);
        QCOMPARE(m_pRecognizer->received().size(), boxes.size());
        QCOMPARE(CBoardHost::inkShown(m_pView), 0);
    }

    // The pen writes on the page shown. Writing that waits for its pause when the page changes is read
    // onto the page it was written on; a step undone meanwhile cannot wait for it, and drops it.
    void writingStaysOnItsPage_data()
    {
        QTest::addColumn<QString>("act");   // within the pause
        QTest::addColumn<QString>("boxes"); // on each page
        QTest::addColumn<int>("shown");
        QTest::newRow("on the second page") << ""
                                            << "01" << 1;
        QTest::newRow("then the first page shown") << "show"
                                                   << "01" << 0;
        QTest::newRow("then a new page") << "new"
                                         << "010" << 2;
        QTest::newRow("then undo") << "undo"
                                   << "0" << 0;
    }
    void writingStaysOnItsPage()
    {
        QFETCH(QString, act);
        QFETCH(QString, boxes);
        QFETCH(int, shown);
        CWorkspace* pWorkspace = COrrery::getWorkspace();
        QVERIFY(CControlLayer::get()->invokeAddPageCommand());
        m_pRecognizer->setStandingAnswer({"word"});
        drawZigZagWord(m_pView->viewport(), QRect(40, 30, 150, 40));
        QVERIFY(CBoardHost::inkShown(m_pView) > 0);
        if (act == "show")
            pWorkspace->setCurrentTopic(pWorkspace->topicAt(0));
        else if (act == "new")
            QVERIFY(CControlLayer::get()->invokeAddPageCommand());
        else if (act == "undo")
            undoStack()->undo();
        m_pTool->finishWriting();
        QString strBoxes;
        int iInk = 0;
        for (int i = 0; i < pWorkspace->topicCount(); ++i) {
            strBoxes += QString::number(pWorkspace->topicAt(i)->componentCount());
            m_pView->showTopic(pWorkspace->topicAt(i));
            iInk += CBoardHost::inkShown(m_pView);
        }
        QCOMPARE(strBoxes, boxes);
        QCOMPARE(iInk, 0);
        QCOMPARE(pWorkspace->indexOf(board()), shown);
        QCOMPARE(m_pRecognizer->received().size(), act == "undo" ? 0 : 1);
    }

    // The other readings are offered in a menu. Writing that is not read, or whose box the board's
    // factory will not make, leaves no half-made box; only unread writing says so, once. Either way no
    // ink and no pen state stay behind.
    void whatIsReadIsWrittenOrOfferedAndNothingIsLeftBehind_data()
    {
        QTest::addColumn<bool>("recognizerInUse");
        QTest::addColumn<QStringList>("readings");
        QTest::addColumn<CComponent::FFactory>("factory"); // of text boxes
        QTest::addColumn<bool>("candidates");
        QTest::addColumn<int>("choice");        // the menu entry picked; -1 dismisses the menu
        QTest::addColumn<bool>("inserted");     // a box is on the board
        QTest::addColumn<QString>("finalText"); // of that box; null: not a text box
        const QStringList three = {"hello", "hallo", "hullo"};
        const CComponent::FFactory pfnText = &CTextComponent::make;
        QTest::newRow("offer switched off") << true << three << pfnText << false << 1 << true << "hello";
        QTest::newRow("an alternative picked") << true << three << pfnText << true << 1 << true << "hullo";
        QTest::newRow("offer dismissed") << true << three << pfnText << true << -1 << true << "hello";
        QTest::newRow("a single reading: empty menu")
            << true << QStringList{"hello"} << pfnText << true << -1 << true << "hello";
        QTest::newRow("repeated readings offered as often as read")
            << true << QStringList{"cat", "cot", "cot", "cat"} << pfnText << true << 1 << true << "cot";
        QTest::newRow("no recognizer in use")
            << false << QStringList() << pfnText << true << 1 << false << "";
        QTest::newRow("nothing read") << true << QStringList() << pfnText << true << 1 << false << "";
        QTest::newRow("no box made, an alternative picked")
            << true << three << CComponent::FFactory(nullptr) << true << 1 << false << "";
        QTest::newRow("a picture item made")
            << true << three << &make<CPictureCalledText> << false << 1 << true << QString();
        QTest::newRow("a box the board refuses, an alternative picked")
            << true << three << &make<CTextWithoutItem> << true << 1 << false << "";
    }
    void whatIsReadIsWrittenOrOfferedAndNothingIsLeftBehind()
    {
        QFETCH(bool, recognizerInUse);
        QFETCH(QStringList, readings);
        QFETCH(CComponent::FFactory, factory);
        QFETCH(bool, candidates);
        QFETCH(int, choice);
        QFETCH(bool, inserted);
        QFETCH(QString, finalText);
        const CComponent::FFactory pfnPrevious = CComponent::registerFactory(QStringLiteral("text"), factory);
        const std::shared_ptr<void> restore(nullptr, [pfnPrevious](void*) {
            CComponent::registerFactory(QStringLiteral("text"), pfnPrevious);
        });
        setPenProperty("showcandidates", candidates);
        setPenProperty("textpen.alignment", int(Qt::AlignHCenter));
        m_pRecognizer->setStandingAnswer(readings);
        if (!recognizerInUse)
            COrrery::getRecognizerManager()->setActiveRecognizer(QString());
        const QSize idleCursor = m_pTool->getNormalCursor().pixmap().size();
        const QRect writing(150, 120, 180, 60);
        drawZigZagWord(m_pView->viewport(), writing);
        QVERIFY(CBoardHost::inkShown(m_pView) > 0);
        QVERIFY(m_pTool->currentScribble());
        QVERIFY(m_pTool->getNormalCursor().pixmap().size() != idleCursor);
        CHostJournal::clear();

        CMenuAnswer answer(choice);
        QVERIFY(writeOver(writing));

        const bool bOffered = !readings.isEmpty() && candidates;
        const bool bTextBox = inserted && !finalText.isNull();
        QCOMPARE(answer.m_bShown, bOffered);
        QCOMPARE(answer.m_entries, bOffered ? readings.mid(1) : QStringList());
        QCOMPARE(answer.m_textsWhileOpen,
                 bOffered && bTextBox ? QStringList(readings.first()) : QStringList());
        QCOMPARE(m_host.messages(), readings.isEmpty() ? QStringList(c_strRecognitionError) : QStringList());
        const QStringList journaled = CHostJournal::entries(QStringLiteral("CActionUtilities::messageBox"));
        QCOMPARE(journaled.size(), m_host.messages().size());
        QVERIFY(!readings.isEmpty() || journaled.first().endsWith(c_strRecognitionError));
        QCOMPARE(m_pRecognizer->received().size(), recognizerInUse ? 1 : 0);
        QCOMPARE(CBoardHost::inkShown(m_pView), 0);
        QVERIFY(!m_pTool->currentScribble());
        QVERIFY(!m_pTool->isDrawing());
        QCOMPARE(m_pTool->getNormalCursor().pixmap().size(), idleCursor);
        QCOMPARE(board()->componentCount(), inserted ? 1 : 0);
        CComponent* pBox = theNewBox();
        QCOMPARE(pBox != nullptr, inserted);
        if (!bTextBox) {
            QCOMPARE(undoStack()->count(), inserted ? 1 : 0);
            if (inserted) {
                QCOMPARE(pBox->getPropertyNames(), QStringList() << "position");
                QCOMPARE(valueOf(pBox, "position").toPointF(), m_pView->mapToScene(writing.topLeft()));
            }
            return;
        }
        QCOMPARE(textOf(pBox), finalText);
        // Picking a reading is a step of its own, which undo takes back to the first reading.
        const bool bPicked = finalText != readings.first();
        QCOMPARE(undoStack()->undoText(), QString(bPicked ? "Choose alternative" : "Insert text"));
        QCOMPARE(undoStack()->count(), bPicked ? 2 : 1);
        undoStack()->undo();
        QCOMPARE(board()->componentCount(), bPicked ? 1 : 0);
        if (bPicked)
            QCOMPARE(textOf(pBox), readings.first());
    }
};

QTEST_MAIN(tst_TextPenWriting)
#include "tst_textpenwriting.moc"
