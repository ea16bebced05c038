// Finished writing turned into text on the board: the size of the letters, the text box made in the
// text settings or the one overwritten, undo, the readings offered in a menu, and writing or readings
// out of the ordinary.
#include "actionutilities.h"
#include "component.h"
#include "controllayer.h"
#include "guilayer.h"
#include "hostjournal.h"
#include "insertcommand.h"
#include "orrery.h"
#include "orreryview.h"
#include "picturecomponent.h"
#include "recognizermanager.h"
#include "scribble.h"
#include "scriptedrecognizer.h"
#include "textcomponent.h"
#include "textpenplugin.h"
#include "texttool.h"
#include "toolmanager.h"
#include "tooltextpen.h"
#include "topic.h"
#include "updatepropertycommand.h"
#include "workspace.h"

#include <QGraphicsPathItem>
#include <QGraphicsScene>
#include <QMenu>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>
#include <QUndoStack>
#include <QtTest>
#include <boost/make_shared.hpp>
#include <cmath>
#include <functional>
#include <memory>

namespace {

const QString c_strTool = QStringLiteral("textpenplugin.handtext");
const QString c_strOtherTextType = QStringLiteral("textpen.component.textbox");
const QString c_strRecognitionError = QStringLiteral("Error in text recognition");

// The board's second kind of text box.
class COtherTextBox : public CTextComponent
{
public:
    QString getType() const override { return c_strOtherTextType; }
};

// Calls itself a text box, yet shows a picture.
class CPictureCalledText : public CPictureComponent
{
public:
    QString getType() const override { return QStringLiteral("text"); }
};

// Calls itself a text box, yet has nothing to show on the board, so the board will not take it.
class CTextWithoutItem : public CComponent
{
public:
    QString getType() const override { return QStringLiteral("text"); }
    QGraphicsItem* getGraphicsItem() override { return nullptr; }
};

boost::shared_ptr<CComponent> makeOtherTextBox()
{
    return boost::make_shared<COtherTextBox>();
}

boost::shared_ptr<CComponent> makeNothing()
{
    return boost::shared_ptr<CComponent>();
}

boost::shared_ptr<CComponent> makePictureCalledText()
{
    return boost::make_shared<CPictureCalledText>();
}

boost::shared_ptr<CComponent> makeTextWithoutItem()
{
    return boost::make_shared<CTextWithoutItem>();
}

// Installs a factory for a type while it lives and puts the one it replaced back afterwards, even
// when the case fails half-way.
class CFactoryOverride
{
public:
    CFactoryOverride(const QString& strType, CComponent::FFactory pfnFactory)
        : m_strType(strType), m_pfnPrevious(CComponent::registerFactory(strType, pfnFactory))
    {
    }
    ~CFactoryOverride() { CComponent::registerFactory(m_strType, m_pfnPrevious); }

    CFactoryOverride(const CFactoryOverride&) = delete;
    CFactoryOverride& operator=(const CFactoryOverride&) = delete;

private:
    QString m_strType;
    CComponent::FFactory m_pfnPrevious;
};

// Answers the menu of readings, which the tool runs in an event loop of its own: looks for it from a
// timer, notes its entries and lets the caller look at the board while it is open, then picks the
// entry iChoice (keyboard: the entry made active, then Return) or dismisses it (Escape) when iChoice
// names no entry. Gives up after a bounded number of looks.
class CMenuAnswer : public QObject
{
public:
    explicit CMenuAnswer(int iChoice, std::function<void()> whileOpen = std::function<void()>())
        : m_iChoice(iChoice), m_whileOpen(std::move(whileOpen))
    {
        QTimer::singleShot(c_iLookEveryMs, this, &CMenuAnswer::look);
    }

    bool isDone() const { return m_bDone; }
    bool wasShown() const { return m_bShown; }
    QStringList entries() const { return m_entries; }

private:
    static constexpr int c_iLookEveryMs = 20;
    static constexpr int c_iMaxLooks = 40;

    void look()
    {
        QMenu* pMenu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!pMenu) {
            if (++m_iLooks < c_iMaxLooks) {
                QTimer::singleShot(c_iLookEveryMs, this, &CMenuAnswer::look);
                return;
            }
            // A menu that runs without being the active popup must not keep the test waiting.
            for (QWidget* pWidget : QApplication::topLevelWidgets()) {
                if (qobject_cast<QMenu*>(pWidget) && pWidget->isVisible()) {
                    m_bShown = true;
                    pWidget->hide();
                }
            }
            m_bDone = true;
            return;
        }
        m_bShown = true;
        const QList<QAction*> actions = pMenu->actions();
        for (const QAction* pAction : actions)
            m_entries.append(pAction->text());
        if (m_whileOpen)
            m_whileOpen();
        if (m_iChoice >= 0 && m_iChoice < actions.size()) {
            pMenu->setActiveAction(actions.at(m_iChoice));
            QTest::keyClick(pMenu, Qt::Key_Return);
        } else {
            QTest::keyClick(pMenu, Qt::Key_Escape);
        }
        m_bDone = true;
    }

    int m_iChoice;
    std::function<void()> m_whileOpen;
    int m_iLooks = 0;
    bool m_bDone = false;
    bool m_bShown = false;
    QStringList m_entries;
};

// A word-like zig-zag whose points reach exactly the edges of bounds (view pixels), and a short
// second stroke inside it, like the dot of an i.
QVector<QVector<QPointF>> zigZag(const QRect& bounds)
{
    const double dLeft = bounds.left();
    const double dTop = bounds.top();
    const double dWidth = bounds.width();
    const double dHeight = bounds.height();
    const int iTeeth = 6;
    QVector<QPointF> word;
    for (int i = 0; i <= iTeeth; ++i)
        word.append(QPointF(dLeft + dWidth * i / iTeeth, i % 2 ? dTop + dHeight : dTop));
    const QPointF middle(dLeft + dWidth / 2.0, dTop + dHeight / 2.0);
    const QVector<QPointF> dot = {middle, middle + QPointF(1.0, 0.0)};
    return {word, dot};
}

boost::shared_ptr<CScribble> scribbleOf(const QVector<QVector<QPointF>>& strokes)
{
    auto pScribble = boost::make_shared<CScribble>();
    qint64 iTime = 1000;
    for (const QVector<QPointF>& stroke : strokes) {
        pScribble->beginStroke(stroke.first(), iTime);
        for (int i = 1; i < stroke.size(); ++i)
            pScribble->addPoint(stroke.at(i), iTime += 15);
        iTime += 120;
    }
    return pScribble;
}

QHash<QString, QVariant> propertiesOf(const CComponent* pComponent)
{
    QHash<QString, QVariant> properties;
    for (const QString& strName : pComponent->getPropertyNames())
        properties.insert(strName, pComponent->getPropertyValue(strName));
    return properties;
}

QString shownText(CComponent* pComponent)
{
    const QGraphicsTextItem* pItem = dynamic_cast<QGraphicsTextItem*>(pComponent->getGraphicsItem());
    return pItem ? pItem->document()->toPlainText() : QString();
}

// The update commands in one step of the undo stack, in the order they ran.
QList<const CUpdatePropertyCommand*> updatesIn(const QUndoCommand* pStep)
{
    QList<const CUpdatePropertyCommand*> updates;
    if (const auto* pUpdate = dynamic_cast<const CUpdatePropertyCommand*>(pStep))
        updates.append(pUpdate);
    for (int i = 0; i < pStep->childCount(); ++i)
        updates += updatesIn(pStep->child(i));
    return updates;
}

QStringList propertiesChangedBy(const QUndoCommand* pStep)
{
    QStringList names;
    for (const CUpdatePropertyCommand* pUpdate : updatesIn(pStep))
        names.append(pUpdate->property());
    return names;
}

// Something already on the board before the writing; by default it lies under the writing.
struct SPiece
{
    QString strKind; // "text", "locked text", "other text" or "picture"
    double dDepth;   // NaN: the depth the board gave it
    QPointF position;
};

SPiece piece(const QString& strKind, double dDepth = qQNaN(), const QPointF& position = QPointF(100, 100))
{
    return SPiece{strKind, dDepth, position};
}

} // namespace

Q_DECLARE_METATYPE(QVector<SPiece>)

class tst_TextPenWriting : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    CTextPenPlugIn m_plugin;
    std::unique_ptr<COrreryView> m_pView;
    CToolTextPen* m_pTool = nullptr;
    CScriptedRecognizer* m_pRecognizer = nullptr;
    QStringList m_messages;
    CActionUtilities::FMessageHandler m_previousHandler;

    static CToolManager& tools() { return *COrrery::getToolManager(); }
    static CTopic* board() { return COrrery::getWorkspace()->getCurrentTopic(); }
    static QUndoStack* undoStack() { return CControlLayer::get()->undoStack(); }

    void setPenProperty(const QString& strName, const QVariant& value)
    {
        QVERIFY(tools().setToolProperty(c_strTool, strName, value, false));
    }

    // Shows the board magnified by dScale, its top-left corner still at the view's; false when the
    // view will not show it so.
    bool zoomView(double dScale)
    {
        m_pView->scale(dScale, dScale);
        m_pView->horizontalScrollBar()->setValue(m_pView->horizontalScrollBar()->minimum());
        m_pView->verticalScrollBar()->setValue(m_pView->verticalScrollBar()->minimum());
        return m_pView->mapToScene(QPoint(0, 0)) == QPointF(0, 0) &&
               m_pView->mapToScene(QPoint(100, 60)) == QPointF(100 / dScale, 60 / dScale);
    }

    // Hands the text pen finished writing whose bounds on the view are exactly bounds; false when the
    // writing does not have those bounds.
    bool writeOver(const QRect& bounds)
    {
        const boost::shared_ptr<CScribble> pScribble = scribbleOf(zigZag(bounds));
        if (QRect(pScribble->getRectBound()) != bounds)
            return false;
        m_pTool->onPenInput(pScribble);
        return true;
    }

    // Draws the strokes with the mouse, as the user's pen does.
    void drawWithMouse(const QVector<QVector<QPointF>>& strokes)
    {
        QWidget* pViewport = m_pView->viewport();
        for (const QVector<QPointF>& stroke : strokes) {
            QTest::mousePress(pViewport, Qt::LeftButton, Qt::NoModifier, stroke.first().toPoint());
            for (int i = 1; i < stroke.size(); ++i) {
                QMouseEvent move(QEvent::MouseMove, stroke.at(i), Qt::NoButton, Qt::LeftButton,
                                 Qt::NoModifier);
                QApplication::sendEvent(pViewport, &move);
            }
            QTest::mouseRelease(pViewport, Qt::LeftButton, Qt::NoModifier, stroke.last().toPoint());
        }
    }

    int inkOnBoard() const
    {
        int iCount = 0;
        for (QGraphicsItem* pItem : m_pView->scene()->items())
            if (dynamic_cast<QGraphicsPathItem*>(pItem))
                ++iCount;
        return iCount;
    }

    QStringList messagesJournaled() const
    {
        return CHostJournal::entries(QStringLiteral("CActionUtilities::messageBox"));
    }

    boost::shared_ptr<CComponent> placeOnBoard(const SPiece& onBoard)
    {
        const bool bPicture = onBoard.strKind == QLatin1String("picture");
        const QString strType = bPicture                                         ? QStringLiteral("picture")
                                : onBoard.strKind == QLatin1String("other text") ? c_strOtherTextType
                                                                                 : QStringLiteral("text");
        boost::shared_ptr<CComponent> pComponent = CComponent::create(strType);
        if (!pComponent)
            return pComponent;
        pComponent->setPropertyValue(QStringLiteral("position"), onBoard.position);
        if (bPicture) {
            QImage image(240, 120, QImage::Format_ARGB32);
            image.fill(Qt::darkGray);
            pComponent->setPropertyValue(QStringLiteral("image"), image);
        } else {
            pComponent->setPropertyValue(QStringLiteral("fontsize"), 20.0);
            pComponent->setPropertyValue(QStringLiteral("string"), QStringLiteral("old words"));
            pComponent->setPropertyValue(QStringLiteral("alignment"),
                                         static_cast<unsigned int>(Qt::AlignLeft));
            pComponent->setPropertyValue(QStringLiteral("locked"),
                                         onBoard.strKind == QLatin1String("locked text"));
        }
        if (!board()->addComponent(pComponent))
            return boost::shared_ptr<CComponent>();
        if (!std::isnan(onBoard.dDepth))
            pComponent->getGraphicsItem()->setZValue(onBoard.dDepth);
        return pComponent;
    }

private slots:
    void init()
    {
        QFile::remove(m_dir.filePath(QStringLiteral("settings.ini")));
        SHostOptions options;
        options.strSettingsFile = m_dir.filePath(QStringLiteral("settings.ini"));
        CGUILayer::resetHost(options);

        m_messages.clear();
        m_previousHandler = CActionUtilities::setMessageHandler(
            [this](CActionUtilities::EMessageBoxType, const QString& strText, QMessageBox::StandardButtons) {
                m_messages.append(strText);
                return QMessageBox::Ok;
            });

        m_pView = std::make_unique<COrreryView>();
        m_pView->setFixedSize(800, 600);
        COrrery::setView(m_pView.get());
        m_pView->showTopic(board());
        m_pView->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_pView.get()));

        const auto pRecognizer = boost::make_shared<CScriptedRecognizer>(QStringLiteral("scripted"));
        m_pRecognizer = pRecognizer.get();
        QVERIFY(COrrery::getRecognizerManager()->registerRecognizer(pRecognizer));
        COrrery::getRecognizerManager()->setActiveRecognizer(QStringLiteral("scripted"));
        QVERIFY(COrrery::getRecognizerManager()->getActiveRecognizer() == m_pRecognizer);

        QVERIFY(m_plugin.setUp());
        m_pTool = dynamic_cast<CToolTextPen*>(tools().getToolByName(c_strTool));
        QVERIFY(m_pTool);
        QVERIFY(tools().activate(c_strTool));
        // Ink drawn by hand waits for the case to hand it on.
        COrrery::getUserSettings()->setValue(QStringLiteral("pen/writingpause"), 60000);
    }

    void cleanup()
    {
        CActionUtilities::setMessageHandler(m_previousHandler);
        m_previousHandler = CActionUtilities::FMessageHandler();
        m_pView.reset();
    }

    void cleanupTestCase() { CGUILayer::shutdownHost(); }

    // ---- The size of the letters ----

    void theLettersGrowWithTheWritingUpToACap_data()
    {
        QTest::addColumn<double>("ratio");
        QTest::addColumn<double>("zoom");
        // View pixels from the rectangle's top row to its bottom row.
        QTest::addColumn<int>("span");
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");

        QTest::newRow("ratio 2, 100 high: the smallest size") << 2.0 << 1.0 << 100 << "a" << 70.0;
        QTest::newRow("ratio 2, 160 high: the smallest size") << 2.0 << 1.0 << 160 << "a" << 70.0;
        QTest::newRow("ratio 2, 200 high: still the smallest size") << 2.0 << 1.0 << 200 << "a" << 70.0;
        QTest::newRow("ratio 2, flat writing: the smallest size") << 2.0 << 1.0 << 0 << "a" << 70.0;
        QTest::newRow("ratio 2, 300 high") << 2.0 << 1.0 << 300 << "a" << 105.0;
        QTest::newRow("ratio 2, 400 high: capped") << 2.0 << 1.0 << 400 << "a" << 128.0;
        QTest::newRow("ratio 2, two lines 300 high") << 2.0 << 1.0 << 300 << "a\nb" << 52.5;
        QTest::newRow("ratio 2, no text counts one line") << 2.0 << 1.0 << 300 << "" << 105.0;
        QTest::newRow("ratio 2, a final line break starts a second line") << 2.0 << 1.0 << 300 << "a\n"
                                                                          << 52.5;
        QTest::newRow("ratio 1, 100 high: capped") << 1.0 << 1.0 << 100 << "a" << 64.0;
        QTest::newRow("ratio 1, 400 high: capped") << 1.0 << 1.0 << 400 << "a" << 64.0;
        QTest::newRow("ratio 1, three lines 120 high") << 1.0 << 1.0 << 120 << "a\nb\nc" << 140.0 / 3.0;
        QTest::newRow("ratio 1, three lines 200 high") << 1.0 << 1.0 << 200 << "a\nb\nc" << 140.0 / 3.0;
        QTest::newRow("ratio 1.5, 150 high: below the cap") << 1.5 << 1.0 << 150 << "a" << 140.0 / 1.5;
        QTest::newRow("ratio 1.5, 300 high: capped at 96") << 1.5 << 1.0 << 300 << "a" << 96.0;
        QTest::newRow("ratio 2, zoomed in twice: 600 view pixels are 300 on the board")
            << 2.0 << 2.0 << 600 << "a" << 105.0;
        QTest::newRow("ratio 2, zoomed out to half: 150 view pixels are 300 on the board")
            << 2.0 << 0.5 << 150 << "a" << 105.0;
    }
    void theLettersGrowWithTheWritingUpToACap()
    {
        QFETCH(double, ratio);
        QFETCH(double, zoom);
        QFETCH(int, span);
        QFETCH(QString, text);
        QFETCH(double, expected);
        COrrery::setLPToDPRatio(ratio);
        if (zoom != 1.0)
            QVERIFY(zoomView(zoom));

        const QRect viewRect(40, 30, 120, span + 1);
        const double dSize = CTextPenUtilities::getFontSize(viewRect, text);
        QVERIFY2(qFuzzyCompare(dSize, expected),
                 qPrintable(QStringLiteral("font size %1, expected %2").arg(dSize).arg(expected)));
    }

    // ---- A new text box ----

    void aNewTextBoxIsMadeInTheTextSettings_data()
    {
        QTest::addColumn<double>("ratio");
        QTest::addColumn<double>("zoom");
        // The writing's bounds on the view.
        QTest::addColumn<QRect>("bounds");
        QTest::addColumn<QString>("family");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<bool>("italic");
        QTest::addColumn<bool>("underline");
        QTest::addColumn<QColor>("fontColor");
        QTest::addColumn<QString>("outline");
        QTest::addColumn<QColor>("fill");
        QTest::addColumn<int>("lineStyle");
        QTest::addColumn<double>("lineWidth");
        QTest::addColumn<int>("alignment");
        QTest::addColumn<bool>("alignmentFromTextTool");
        QTest::addColumn<double>("fontSize");
        QTest::addColumn<double>("boxLineWidth");
        QTest::addColumn<QPointF>("position");

        QTest::newRow("plain black, ratio 1")
            << 1.0 << 1.0 << QRect(120, 80, 240, 150) << "Liberation Sans" << false << false << false
            << QColor(Qt::black) << "null;" << QColor(255, 255, 255, 0) << 1 << 4.0 << int(Qt::AlignLeft)
            << false << 64.0 << 4.0 << QPointF(120, 80);
        QTest::newRow("bold red centred with outline, ratio 1.5")
            << 1.5 << 1.0 << QRect(60, 200, 300, 150) << "DejaVu Serif" << true << false << false
            << QColor(Qt::red) << "normal;#FF0000FF" << QColor(255, 255, 0, 128) << 2 << 4.0
            << int(Qt::AlignHCenter) << false << 200 * 0.7 / 1.5 << 6.0 << QPointF(60, 200);
        QTest::newRow("italic underlined blue right-aligned, tall writing, ratio 2")
            << 2.0 << 1.0 << QRect(300, 100, 180, 301) << "Liberation Mono" << false << true << true
            << QColor(Qt::blue) << "normal;#FF00FF00" << QColor(Qt::white) << 3 << 2.5 << int(Qt::AlignRight)
            << false << 105.0 << 5.0 << QPointF(300, 100);
        QTest::newRow("every style, alignment taken over from the text tool")
            << 2.0 << 1.0 << QRect(10, 10, 400, 121) << "Liberation Serif" << true << true << true
            << QColor(Qt::darkGreen) << "null;" << QColor(255, 255, 255, 0) << 1 << 0.0
            << int(Qt::AlignJustify) << true << 70.0 << 0.0 << QPointF(10, 10);
        // 600 view pixels high at twice the size are 300 on the board.
        QTest::newRow("zoomed in twice: placed and sized on the board")
            << 2.0 << 2.0 << QRect(200, 160, 300, 601) << "Liberation Sans" << false << false << false
            << QColor(Qt::black) << "null;" << QColor(255, 255, 255, 0) << 1 << 4.0 << int(Qt::AlignLeft)
            << false << 105.0 << 8.0 << QPointF(100, 80);
    }
    void aNewTextBoxIsMadeInTheTextSettings()
    {
        QFETCH(double, ratio);
        QFETCH(double, zoom);
        QFETCH(QRect, bounds);
        QFETCH(QString, family);
        QFETCH(bool, bold);
        QFETCH(bool, italic);
        QFETCH(bool, underline);
        QFETCH(QColor, fontColor);
        QFETCH(QString, outline);
        QFETCH(QColor, fill);
        QFETCH(int, lineStyle);
        QFETCH(double, lineWidth);
        QFETCH(int, alignment);
        QFETCH(bool, alignmentFromTextTool);
        QFETCH(double, fontSize);
        QFETCH(double, boxLineWidth);
        QFETCH(QPointF, position);

        COrrery::setLPToDPRatio(ratio);
        if (zoom != 1.0)
            QVERIFY(zoomView(zoom));
        if (alignmentFromTextTool) {
            QVERIFY(tools().registerTool(boost::make_shared<CTextTool>()));
            QVERIFY(tools().setToolProperty(QStringLiteral("text"), QStringLiteral("alignment"), alignment,
                                            false));
            QSignalSpy activated(m_pTool, SIGNAL(siganlTextPenActivated()));
            QVERIFY(tools().activate(c_strTool));
            QCOMPARE(activated.count(), 1);
        } else {
            setPenProperty(QStringLiteral("textpen.alignment"), alignment);
        }
        setPenProperty(QStringLiteral("textpen.fontfamily"), family);
        setPenProperty(QStringLiteral("textpen.bold"), bold);
        setPenProperty(QStringLiteral("textpen.italic"), italic);
        setPenProperty(QStringLiteral("textpen.underline"), underline);
        setPenProperty(QStringLiteral("textpen.fontcolor"), fontColor);
        setPenProperty(QStringLiteral("textpen.linecolor"), outline);
        setPenProperty(QStringLiteral("textpen.fillcolor"), fill);
        setPenProperty(QStringLiteral("textpen.linestyle"), lineStyle);
        setPenProperty(QStringLiteral("textpen.linewidth"), lineWidth);
        m_pRecognizer->setStandingAnswer(QStringList() << QStringLiteral("Hello board"));

        QVERIFY(writeOver(bounds));

        QCOMPARE(m_messages, QStringList());
        QCOMPARE(undoStack()->count(), 1);
        const auto* pInsert = dynamic_cast<const CInsertCommand*>(undoStack()->command(0));
        QVERIFY(pInsert);
        QCOMPARE(board()->componentCount(), 1);
        CComponent* pBox = board()->components().first();
        QCOMPARE(pInsert->component().get(), pBox);
        QCOMPARE(pBox->getType(), QStringLiteral("text"));
        QCOMPARE(pBox->getGraphicsItem()->scene(), m_pView->scene());

        const QStringList written = {QStringLiteral("position"),  QStringLiteral("fontfamily"),
                                     QStringLiteral("fontsize"),  QStringLiteral("bold"),
                                     QStringLiteral("italic"),    QStringLiteral("underline"),
                                     QStringLiteral("fontcolor"), QStringLiteral("verticalalignment"),
                                     QStringLiteral("pencolor"),  QStringLiteral("fillcolor"),
                                     QStringLiteral("linewidth"), QStringLiteral("linestyle"),
                                     QStringLiteral("string"),    QStringLiteral("alignment")};
        QStringList order;
        for (const QString& strName : pBox->getPropertyNames())
            if (written.contains(strName))
                order.append(strName);
        QCOMPARE(order, written);

        const auto value = [pBox](const char* szName) {
            return pBox->getPropertyValue(QLatin1String(szName));
        };
        QCOMPARE(value("position").toPointF(), position);
        QCOMPARE(value("fontfamily").toString(), family);
        QVERIFY2(
            qFuzzyCompare(value("fontsize").toDouble(), fontSize),
            qPrintable(
                QStringLiteral("font size %1, expected %2").arg(value("fontsize").toDouble()).arg(fontSize)));
        QCOMPARE(value("bold").toBool(), bold);
        QCOMPARE(value("italic").toBool(), italic);
        QCOMPARE(value("underline").toBool(), underline);
        QCOMPARE(value("fontcolor").value<QColor>(), fontColor);
        QCOMPARE(value("verticalalignment").toInt(), 32);
        QCOMPARE(value("pencolor").toString(), outline);
        QCOMPARE(value("fillcolor").value<QColor>(), fill);
        QVERIFY2(qFuzzyCompare(1.0 + value("linewidth").toDouble(), 1.0 + boxLineWidth),
                 qPrintable(QStringLiteral("outline width %1").arg(value("linewidth").toDouble())));
        QCOMPARE(value("linestyle").toInt(), lineStyle);
        QCOMPARE(value("string").toString(), QStringLiteral("Hello board"));
        QCOMPARE(value("alignment").userType(), int(QMetaType::UInt));
        QCOMPARE(value("alignment").toUInt(), static_cast<unsigned int>(alignment));

        const QGraphicsTextItem* pItem = dynamic_cast<QGraphicsTextItem*>(pBox);
        QVERIFY(pItem);
        QCOMPARE(pItem->document()->toPlainText(), QStringLiteral("Hello board"));
        QTextCursor cursor(pItem->document());
        cursor.setPosition(1);
        const QTextCharFormat format = cursor.charFormat();
        QCOMPARE(format.fontFamily(), family);
        QVERIFY(qFuzzyCompare(format.fontPointSize(), fontSize));
        QCOMPARE(format.fontWeight(), int(bold ? QFont::Bold : QFont::Normal));
        QCOMPARE(format.fontUnderline(), underline);
        QCOMPARE(format.fontItalic(), italic);
        QCOMPARE(format.foreground().color(), fontColor);
        QCOMPARE(pItem->document()->defaultFont().family(), family);
        QVERIFY(qFuzzyCompare(pItem->document()->defaultFont().pointSizeF(), fontSize));
    }

    // ---- Undo ----

    void undoingANewBoxTakesAwayOnlyThatBox_data()
    {
        QTest::addColumn<QString>("neighbour");
        QTest::addColumn<bool>("overwrite");
        QTest::newRow("empty board") << "" << false;
        QTest::newRow("text box elsewhere") << "text" << false;
        QTest::newRow("picture elsewhere") << "picture" << false;
        QTest::newRow("text box elsewhere, overwriting on") << "text" << true;
    }
    void undoingANewBoxTakesAwayOnlyThatBox()
    {
        QFETCH(QString, neighbour);
        QFETCH(bool, overwrite);
        setPenProperty(QStringLiteral("overwritetextbox"), overwrite);
        boost::shared_ptr<CComponent> pNeighbour;
        QHash<QString, QVariant> neighbourBefore;
        if (!neighbour.isEmpty()) {
            pNeighbour = placeOnBoard(piece(neighbour, qQNaN(), QPointF(500, 420)));
            QVERIFY(pNeighbour);
            neighbourBefore = propertiesOf(pNeighbour.get());
        }
        const int iBefore = board()->componentCount();
        m_pRecognizer->setStandingAnswer(QStringList() << QStringLiteral("fresh"));
        QSignalSpy steps(undoStack(), &QUndoStack::indexChanged);

        QVERIFY(writeOver(QRect(60, 60, 180, 80)));
        QCOMPARE(board()->componentCount(), iBefore + 1);
        QCOMPARE(steps.count(), 1);
        QCOMPARE(undoStack()->index(), 1);
        const auto* pInsert = dynamic_cast<const CInsertCommand*>(undoStack()->command(0));
        QVERIFY(pInsert);
        const boost::shared_ptr<CComponent> pBox = pInsert->component();
        QVERIFY(pBox != pNeighbour);

        undoStack()->undo();
        QCOMPARE(board()->componentCount(), iBefore);
        QCOMPARE(board()->indexOf(pBox->getID()), -1);
        QVERIFY(!pBox->getGraphicsItem()->scene());
        if (pNeighbour) {
            QCOMPARE(board()->indexOf(pNeighbour->getID()), 0);
            QCOMPARE(propertiesOf(pNeighbour.get()), neighbourBefore);
        }
        QCOMPARE(undoStack()->index(), 0);

        undoStack()->redo();
        QCOMPARE(board()->getComponent(pBox->getID()), pBox.get());
        QCOMPARE(pBox->getPropertyValue(QStringLiteral("string")).toString(), QStringLiteral("fresh"));
    }

    void undoingAnOverwriteGivesTheOldTextBackInOneStep_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("text box") << "text";
        QTest::newRow("the other kind of text box") << "other text";
    }
    void undoingAnOverwriteGivesTheOldTextBackInOneStep()
    {
        QFETCH(QString, kind);
        const CFactoryOverride otherTextBoxes(c_strOtherTextType, &makeOtherTextBox);
        setPenProperty(QStringLiteral("overwritetextbox"), true);
        setPenProperty(QStringLiteral("textpen.alignment"), int(Qt::AlignRight));
        const boost::shared_ptr<CComponent> pBox = placeOnBoard(piece(kind));
        QVERIFY(pBox);
        m_pRecognizer->setStandingAnswer(QStringList() << QStringLiteral("new words"));
        QSignalSpy steps(undoStack(), &QUndoStack::indexChanged);

        QVERIFY(writeOver(QRect(110, 105, 120, 40)));
        QCOMPARE(pBox->getPropertyValue(QStringLiteral("string")).toString(), QStringLiteral("new words"));
        QCOMPARE(pBox->getPropertyValue(QStringLiteral("alignment")).toInt(), int(Qt::AlignRight));
        QCOMPARE(steps.count(), 1);
        QCOMPARE(undoStack()->index(), 1);
        QCOMPARE(board()->componentCount(), 1);

        undoStack()->undo();
        QCOMPARE(undoStack()->index(), 0);
        QCOMPARE(pBox->getPropertyValue(QStringLiteral("string")).toString(), QStringLiteral("old words"));
        QCOMPARE(pBox->getPropertyValue(QStringLiteral("alignment")).toUInt(),
                 static_cast<unsigned int>(Qt::AlignLeft));
        QCOMPARE(shownText(pBox.get()), QStringLiteral("old words"));
    }

    // ---- Which box is overwritten ----

    void theWritingOverwritesTheFrontMostFreeTextBox_data()
    {
        QTest::addColumn<bool>("overwrite");
        QTest::addColumn<QVector<SPiece>>("pieces");
        // The index of the piece that is overwritten; -1 when a new box is made.
        QTest::addColumn<int>("overwritten");

        QTest::newRow("overwriting off, text box underneath")
            << false << QVector<SPiece>{piece("text")} << -1;
        QTest::newRow("one text box underneath") << true << QVector<SPiece>{piece("text")} << 0;
        QTest::newRow("depth 2 placed before depth 1")
            << true << QVector<SPiece>{piece("text", 2), piece("text", 1)} << 0;
        QTest::newRow("depth 1 placed before depth 2")
            << true << QVector<SPiece>{piece("text", 1), piece("text", 2)} << 1;
        QTest::newRow("equal depths: the one placed later")
            << true << QVector<SPiece>{piece("text", 3), piece("text", 3)} << 1;
        QTest::newRow("only a box at a negative depth") << true << QVector<SPiece>{piece("text", -2)} << -1;
        QTest::newRow("picture on top of a text box")
            << true << QVector<SPiece>{piece("text"), piece("picture")} << -1;
        QTest::newRow("text box on top of a picture")
            << true << QVector<SPiece>{piece("picture"), piece("text")} << 1;
        QTest::newRow("locked text box") << true << QVector<SPiece>{piece("locked text")} << -1;
        QTest::newRow("the other kind of text box") << true << QVector<SPiece>{piece("other text")} << 0;
        QTest::newRow("text box away from the writing")
            << true << QVector<SPiece>{piece("text", qQNaN(), QPointF(600, 450))} << -1;
    }
    void theWritingOverwritesTheFrontMostFreeTextBox()
    {
        QFETCH(bool, overwrite);
        QFETCH(QVector<SPiece>, pieces);
        QFETCH(int, overwritten);
        const CFactoryOverride otherTextBoxes(c_strOtherTextType, &makeOtherTextBox);
        setPenProperty(QStringLiteral("overwritetextbox"), overwrite);
        setPenProperty(QStringLiteral("textpen.alignment"), int(Qt::AlignHCenter));
        QVector<boost::shared_ptr<CComponent>> placed;
        QVector<QHash<QString, QVariant>> before;
        for (const SPiece& onBoard : pieces) {
            placed.append(placeOnBoard(onBoard));
            QVERIFY(placed.last());
            before.append(propertiesOf(placed.last().get()));
        }
        const QRect writing(110, 105, 120, 40);
        // The pieces meant to lie under the writing do.
        const QList<CComponent*> underWriting =
            m_pView->componentsAt(QRectF(writing), nullptr, Qt::IntersectsItemBoundingRect, true);
        for (int i = 0; i < pieces.size(); ++i)
            QCOMPARE(underWriting.contains(placed.at(i).get()), pieces.at(i).position == QPointF(100, 100));
        m_pRecognizer->setStandingAnswer(QStringList() << QStringLiteral("new words"));

        QVERIFY(writeOver(writing));

        QCOMPARE(m_messages, QStringList());
        QCOMPARE(undoStack()->count(), 1);
        const QUndoCommand* pStep = undoStack()->command(0);
        for (int i = 0; i < placed.size(); ++i) {
            if (i == overwritten)
                continue;
            QVERIFY2(propertiesOf(placed.at(i).get()) == before.at(i),
                     qPrintable(QStringLiteral("piece %1").arg(i)));
        }
        if (overwritten < 0) {
            QCOMPARE(board()->componentCount(), pieces.size() + 1);
            const auto* pInsert = dynamic_cast<const CInsertCommand*>(pStep);
            QVERIFY(pInsert);
            CComponent* pBox = pInsert->component().get();
            QCOMPARE(board()->getComponent(pBox->getID()), pBox);
            QCOMPARE(pBox->getType(), QStringLiteral("text"));
            QCOMPARE(pBox->getPropertyValue(QStringLiteral("string")).toString(),
                     QStringLiteral("new words"));
            QCOMPARE(pBox->getPropertyValue(QStringLiteral("position")).toPointF(),
                     QPointF(writing.topLeft()));
            return;
        }

        CComponent* pTarget = placed.at(overwritten).get();
        QCOMPARE(board()->componentCount(), pieces.size());
        QCOMPARE(pStep->childCount(), 2);
        QCOMPARE(propertiesChangedBy(pStep), QStringList() << "string"
                                                           << "alignment");
        for (const CUpdatePropertyCommand* pUpdate : updatesIn(pStep))
            QCOMPARE(pUpdate->componentID(), pTarget->getID());
        QCOMPARE(pTarget->getPropertyValue(QStringLiteral("string")).toString(), QStringLiteral("new words"));
        QCOMPARE(pTarget->getPropertyValue(QStringLiteral("alignment")).toInt(), int(Qt::AlignHCenter));
        QCOMPARE(shownText(pTarget), QStringLiteral("new words"));
        QHash<QString, QVariant> after = propertiesOf(pTarget);
        QHash<QString, QVariant> expected = before.at(overwritten);
        for (const QString& strChanged : {QStringLiteral("string"), QStringLiteral("alignment")}) {
            after.remove(strChanged);
            expected.remove(strChanged);
        }
        QCOMPARE(after, expected);
    }

    // ---- The readings ----

    void unreadableWritingLeavesNothingBehind_data()
    {
        QTest::addColumn<bool>("recognizerInUse");
        QTest::addColumn<bool>("candidates");
        QTest::newRow("no recognizer in use") << false << false;
        QTest::newRow("no recognizer in use, readings on offer") << false << true;
        QTest::newRow("nothing read") << true << false;
        QTest::newRow("nothing read, readings on offer") << true << true;
    }
    void unreadableWritingLeavesNothingBehind()
    {
        QFETCH(bool, recognizerInUse);
        QFETCH(bool, candidates);
        setPenProperty(QStringLiteral("showcandidates"), candidates);
        if (recognizerInUse)
            m_pRecognizer->setStandingAnswer(QStringList());
        else
            COrrery::getRecognizerManager()->setActiveRecognizer(QString());
        const QSize idleCursor = m_pTool->getNormalCursor().pixmap().size();
        const QVector<QVector<QPointF>> strokes = zigZag(QRect(150, 120, 180, 60));
        drawWithMouse(strokes);
        QVERIFY(inkOnBoard() > 0);
        QVERIFY(m_pTool->currentScribble());
        QVERIFY(m_pTool->getNormalCursor().pixmap().size() != idleCursor);
        CHostJournal::clear();

        CMenuAnswer answer(0);
        m_pTool->onPenInput(scribbleOf(strokes));
        QTRY_VERIFY(answer.isDone());

        QVERIFY(!answer.wasShown());
        QCOMPARE(m_messages, QStringList() << c_strRecognitionError);
        QCOMPARE(messagesJournaled().size(), 1);
        QVERIFY(messagesJournaled().first().endsWith(c_strRecognitionError));
        QCOMPARE(m_pRecognizer->received().size(), recognizerInUse ? 1 : 0);
        QCOMPARE(board()->componentCount(), 0);
        QCOMPARE(undoStack()->count(), 0);
        QCOMPARE(inkOnBoard(), 0);
        QVERIFY(!m_pTool->currentScribble());
        QVERIFY(!m_pTool->isDrawing());
        QCOMPARE(m_pTool->getNormalCursor().pixmap().size(), idleCursor);
    }

    void theOtherReadingsAreOfferedInAMenu_data()
    {
        QTest::addColumn<bool>("candidates");
        QTest::addColumn<QStringList>("readings");
        // The menu entry picked; -1 dismisses the menu.
        QTest::addColumn<int>("choice");
        QTest::addColumn<bool>("menuShown");
        QTest::addColumn<QStringList>("offered");
        QTest::addColumn<QString>("finalText");

        const QStringList three = {QStringLiteral("hello"), QStringLiteral("hallo"), QStringLiteral("hullo")};
        QTest::newRow("offer switched off") << false << three << 1 << false << QStringList() << "hello";
        QTest::newRow("last alternative picked")
            << true << three << 1 << true << QStringList(three.mid(1)) << "hullo";
        QTest::newRow("first alternative picked")
            << true << three << 0 << true << QStringList(three.mid(1)) << "hallo";
        QTest::newRow("offer dismissed")
            << true << three << -1 << true << QStringList(three.mid(1)) << "hello";
        QTest::newRow("a single reading: empty menu")
            << true << QStringList(three.mid(0, 1)) << -1 << true << QStringList() << "hello";
        QTest::newRow("repeated readings offered as often as read")
            << true << QStringList{"cat", "cot", "cot", "cat"} << 1 << true
            << QStringList{"cot", "cot", "cat"} << "cot";
    }
    void theOtherReadingsAreOfferedInAMenu()
    {
        QFETCH(bool, candidates);
        QFETCH(QStringList, readings);
        QFETCH(int, choice);
        QFETCH(bool, menuShown);
        QFETCH(QStringList, offered);
        QFETCH(QString, finalText);
        setPenProperty(QStringLiteral("showcandidates"), candidates);
        setPenProperty(QStringLiteral("textpen.alignment"), int(Qt::AlignHCenter));
        m_pRecognizer->setStandingAnswer(readings);

        QStringList onBoardWhileOpen;
        QStringList shownWhileOpen;
        CMenuAnswer answer(choice, [&onBoardWhileOpen, &shownWhileOpen]() {
            for (CComponent* pComponent : board()->components()) {
                onBoardWhileOpen.append(pComponent->getPropertyValue(QStringLiteral("string")).toString());
                shownWhileOpen.append(shownText(pComponent));
            }
        });
        QVERIFY(writeOver(QRect(150, 120, 180, 60)));
        QTRY_VERIFY(answer.isDone());

        QCOMPARE(answer.wasShown(), menuShown);
        QCOMPARE(answer.entries(), offered);
        if (menuShown) {
            QCOMPARE(onBoardWhileOpen, QStringList() << readings.first());
            QCOMPARE(shownWhileOpen, QStringList() << readings.first());
        }
        QCOMPARE(board()->componentCount(), 1);
        CComponent* pBox = board()->components().first();
        QCOMPARE(pBox->getPropertyValue(QStringLiteral("string")).toString(), finalText);
        QCOMPARE(shownText(pBox), finalText);

        QVERIFY(dynamic_cast<const CInsertCommand*>(undoStack()->command(0)));
        const bool bPicked = menuShown && choice >= 0 && choice < offered.size();
        QCOMPARE(undoStack()->count(), bPicked ? 2 : 1);
        if (bPicked) {
            const QUndoCommand* pStep = undoStack()->command(1);
            QCOMPARE(propertiesChangedBy(pStep), QStringList() << "string"
                                                               << "alignment");
            const QList<const CUpdatePropertyCommand*> updates = updatesIn(pStep);
            QCOMPARE(updates.first()->componentID(), pBox->getID());
            QCOMPARE(updates.first()->value().toString(), finalText);
            QCOMPARE(updates.first()->previousValue().toString(), readings.first());
        }
        QCOMPARE(m_messages, QStringList());
    }

    // ---- The board's factories let the tool down ----

    void aFailingTextFactoryLeavesTheBoardSound_data()
    {
        QTest::addColumn<QString>("factory");
        QTest::addColumn<bool>("candidates");
        QTest::addColumn<bool>("inserted");
        QTest::newRow("factory makes nothing") << "nothing" << false << false;
        QTest::newRow("factory makes nothing, an alternative picked") << "nothing" << true << false;
        QTest::newRow("factory makes a picture item") << "picture item" << false << true;
        QTest::newRow("factory makes a box the board refuses, an alternative picked")
            << "no item" << true << false;
    }
    void aFailingTextFactoryLeavesTheBoardSound()
    {
        QFETCH(QString, factory);
        QFETCH(bool, candidates);
        QFETCH(bool, inserted);
        const CComponent::FFactory pfnFactory = factory == QLatin1String("nothing") ? &makeNothing
                                                : factory == QLatin1String("picture item")
                                                    ? &makePictureCalledText
                                                    : &makeTextWithoutItem;
        const CFactoryOverride textBoxes(QStringLiteral("text"), pfnFactory);
        setPenProperty(QStringLiteral("showcandidates"), candidates);
        m_pRecognizer->setStandingAnswer(QStringList() << QStringLiteral("hello") << QStringLiteral("hallo")
                                                       << QStringLiteral("hullo"));
        const QRect writing(150, 120, 180, 60);
        const QVector<QVector<QPointF>> strokes = zigZag(writing);
        drawWithMouse(strokes);
        QVERIFY(inkOnBoard() > 0);

        CMenuAnswer answer(1);
        m_pTool->onPenInput(scribbleOf(strokes));
        QTRY_VERIFY(answer.isDone());

        QCOMPARE(answer.wasShown(), candidates);
        if (candidates)
            QCOMPARE(answer.entries(), QStringList() << "hallo"
                                                     << "hullo");
        QCOMPARE(board()->componentCount(), inserted ? 1 : 0);
        QCOMPARE(undoStack()->count(), inserted ? 1 : 0);
        if (inserted) {
            const auto* pInsert = dynamic_cast<const CInsertCommand*>(undoStack()->command(0));
            QVERIFY(pInsert);
            CComponent* pBox = board()->components().first();
            QCOMPARE(pInsert->component().get(), pBox);
            QCOMPARE(pBox->getPropertyNames(), QStringList() << "position");
            QCOMPARE(pBox->getPropertyValue(QStringLiteral("position")).toPointF(),
                     QPointF(writing.topLeft()));
        }
        QCOMPARE(inkOnBoard(), 0);
        QVERIFY(!m_pTool->currentScribble());
        QCOMPARE(m_messages, QStringList());
    }

    // ---- Writing and readings out of the ordinary ----

    void extremeWritingStillGivesAReadableBox_data()
    {
        QTest::addColumn<double>("ratio");
        QTest::addColumn<QRect>("bounds");
        QTest::addColumn<double>("fontSize");

        QTest::newRow("flat line, ratio 2: the smallest size") << 2.0 << QRect(100, 200, 300, 0) << 70.0;
        QTest::newRow("flat line, ratio 1: the cap is below the smallest size")
            << 1.0 << QRect(100, 200, 300, 0) << 64.0;
        QTest::newRow("ten million pixels away, small") << 2.0 << QRect(10000000, 10000000, 240, 100) << 70.0;
        QTest::newRow("ten million pixels tall") << 2.0 << QRect(0, 0, 240, 10000000) << 128.0;
        QTest::newRow("from ten million above to ten million below")
            << 2.0 << QRect(-10000000, -10000000, 20000000, 20000000) << 128.0;
    }
    void extremeWritingStillGivesAReadableBox()
    {
        QFETCH(double, ratio);
        QFETCH(QRect, bounds);
        QFETCH(double, fontSize);
        COrrery::setLPToDPRatio(ratio);
        m_pRecognizer->setStandingAnswer(QStringList() << QStringLiteral("far"));

        QVERIFY(writeOver(bounds));

        QCOMPARE(board()->componentCount(), 1);
        QCOMPARE(undoStack()->count(), 1);
        CComponent* pBox = board()->components().first();
        QCOMPARE(pBox->getPropertyValue(QStringLiteral("position")).toPointF(), QPointF(bounds.topLeft()));
        QVERIFY2(qFuzzyCompare(pBox->getPropertyValue(QStringLiteral("fontsize")).toDouble(), fontSize),
                 qPrintable(pBox->getPropertyValue(QStringLiteral("fontsize")).toString()));
        QCOMPARE(pBox->getPropertyValue(QStringLiteral("string")).toString(), QStringLiteral("far"));
        const QGraphicsTextItem* pItem = dynamic_cast<QGraphicsTextItem*>(pBox);
        QVERIFY(pItem);
        QVERIFY(qFuzzyCompare(pItem->document()->defaultFont().pointSizeF(), fontSize));
        QCOMPARE(m_messages, QStringList());
    }

    void anUnusualReadingIsStoredExactly_data()
    {
        QTest::addColumn<QString>("reading");
        QTest::addColumn<double>("fontSize");

        QString strLong;
        for (int i = 0; i < 10000; ++i)
            strLong.append(QChar('a' + i % 26));
        QStringList lines;
        for (int i = 1; i <= 500; ++i)
            lines.append(QStringLiteral("line %1").arg(i));
        // The writing is 300 high at ratio 1: 210 shared by the lines, at most 64.
        QTest::newRow("ten thousand characters") << strLong << 64.0;
        QTest::newRow("five hundred lines") << lines.join(QLatin1Char('\n')) << 210.0 / 500.0;
        QTest::newRow("right to left")
            << QString::fromUcs4(U"\u0645\u0631\u062d\u0628\u0627 \u0628\u0627\u0644\u0639\u0627\u0644\u0645")
            << 64.0;
        QTest::newRow("outside the basic plane") << QString::fromUcs4(U"\U0001F600 smile") << 64.0;
        QTest::newRow("both directions and an emoji on two lines")
            << QString::fromUcs4(U"abc \u0645\u0631\u062d\u0628\u0627\n\U0001F600 def") << 64.0;
    }
    void anUnusualReadingIsStoredExactly()
    {
        QFETCH(QString, reading);
        QFETCH(double, fontSize);
        m_pRecognizer->setStandingAnswer(QStringList() << reading);

        QVERIFY(writeOver(QRect(50, 50, 400, 301)));

        QCOMPARE(board()->componentCount(), 1);
        CComponent* pBox = board()->components().first();
        QVERIFY(pBox->getPropertyValue(QStringLiteral("string")).toString() == reading);
        QVERIFY(shownText(pBox) == reading);
        const double dSize = pBox->getPropertyValue(QStringLiteral("fontsize")).toDouble();
        QVERIFY(dSize > 0.0);
        QVERIFY2(qFuzzyCompare(dSize, fontSize), qPrintable(QString::number(dSize)));
        QCOMPARE(m_messages, QStringList());
    }

    // ---- With the real pen ----

    void aWordWrittenWithThePenBecomesATextBox()
    {
        COrrery::getUserSettings()->setValue(QStringLiteral("pen/writingpause"), 100);
        m_pRecognizer->setStandingAnswer(QStringList() << QStringLiteral("board"));
        const QVector<QVector<QPointF>> strokes = {
            {{200, 150}, {215, 190}, {230, 150}, {245, 190}, {260, 150}, {275, 190}, {290, 160}},
            {{300, 140}, {303, 143}}};

        drawWithMouse(strokes);
        QVERIFY(inkOnBoard() > 0);
        QTRY_COMPARE(board()->componentCount(), 1);

        CComponent* pBox = board()->components().first();
        QCOMPARE(pBox->getType(), QStringLiteral("text"));
        QCOMPARE(pBox->getPropertyValue(QStringLiteral("string")).toString(), QStringLiteral("board"));
        QCOMPARE(pBox->getPropertyValue(QStringLiteral("position")).toPointF(), QPointF(200, 140));
        QCOMPARE(undoStack()->count(), 1);
        QVERIFY(dynamic_cast<const CInsertCommand*>(undoStack()->command(0)));
        QCOMPARE(inkOnBoard(), 0);
        QCOMPARE(m_pRecognizer->received().size(), 1);
        QCOMPARE(m_pRecognizer->received().first().size(), 2);
        QCOMPARE(m_pRecognizer->received().first().first().first(), QPointF(200, 150));
        QVERIFY(!m_pTool->currentScribble());
        QCOMPARE(m_messages, QStringList());
    }
};

QTEST_MAIN(tst_TextPenWriting)
#include "tst_textpenwriting.moc"
