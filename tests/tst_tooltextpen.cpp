// The text pen as a tool: its properties with their rules and defaults, the exchange of text settings
// with the host's text tool, its cursors while writing and not, and taps.
#include "boardhost.h"
#include "coloraction.h"
#include "component.h"
#include "controllayer.h"
#include "hostjournal.h"
#include "penbase.h"
#include "scribble.h"
#include "selectionmanager.h"
#include "serviceslayer.h"
#include "textcomponent.h"
#include "textpenplugin.h"
#include "texttool.h"
#include "toolmanager.h"
#include "tooltextpen.h"
#include "topic.h"

#include <QGraphicsPathItem>
#include <QSettings>
#include <QtTest>
#include <boost/make_shared.hpp>
#include <cmath>
#include <functional>
#include <limits>

namespace {

const QString c_strTool = "textpenplugin.handtext";

// A text box of the other type that may be overwritten but is not opened by a tap.
class COtherTextBox : public CTextComponent
{
public:
    QString getType() const override { return "textpen.component.textbox"; }
};

QStringList textToolWrites()
{
    QStringList writes;
    for (const QString& strEntry : CHostJournal::entries("CToolManager::setToolProperty text "))
        writes.append(strEntry.section(QLatin1Char(' '), 2, 2));
    return writes;
}

QString pen(const QColor& color)
{
    return "normal;" + CPenBase::encodeColor(color);
}

} // namespace

class tst_ToolTextPen : public QObject
{
    Q_OBJECT

private:
    CToolTextPen* m_pTool = nullptr;
    CTextTool* m_pTextTool = nullptr;
    CBoardHost m_host;
    CTextPenPlugIn m_plugin;

    CToolManager& tools() { return *COrrery::getToolManager(); }

    // A fresh host, with a text tool set up by prepare, and the plug-in set up.
    void startHost(const std::function<void(CTextTool&)>& prepare = [](CTextTool&) {})
    {
        m_host.stop();
        m_host.start();
        auto pTextTool = boost::make_shared<CTextTool>();
        m_pTextTool = pTextTool.get();
        prepare(*pTextTool);
        QVERIFY(tools().registerTool(pTextTool));
        QVERIFY(m_plugin.setUp());
        m_pTool = dynamic_cast<CToolTextPen*>(tools().getToolByName(c_strTool));
        QVERIFY(m_pTool);
    }

    QVariant property(const QString& strName) const { return m_pTool->getToolProperty(strName); }

private slots:
    void init() { startHost(); }
    void cleanup() { m_host.stop(); }

    // The font colour, the own pen's colour and the primary colour go together; the own pen's width
    // and style are fixed.
    void writingAColourOrTheOwnPen_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QVariantMap>("after");
        QTest::addColumn<int>("colourUpdates");
        QTest::addColumn<QStringList>("textToolWrites");
        const QVariantMap unchanged = {{"textpen.fontcolor", QColor(Qt::black)},
                                       {"pencolor", pen(Qt::black)}};
        QTest::newRow("font colour") << "textpen.fontcolor" << QVariant(QColor(Qt::red))
                                     << "textpen.fontcolor"
                                     << QVariantMap{{"textpen.fontcolor", QColor(Qt::red)},
                                                    {"pencolor", pen(Qt::red)},
                                                    {"primarycolor", pen(Qt::red)}}
                                     << 1 << QStringList{"fontcolor"};
        QTest::newRow("font colour that is no colour")
            << "textpen.fontcolor" << QVariant("not a colour") << "textpen.fontcolor"
            << QVariantMap{{"textpen.fontcolor", "not a colour"},
                           {"pencolor", pen(QColor())},
                           {"primarycolor", {}}}
            << 1 << QStringList{"fontcolor"};
        // The primary colour is not pushed to the text tool.
        QTest::newRow("primary colour") << "primarycolor" << QVariant(pen(Qt::blue)) << "textpen.fontcolor"
                                        << QVariantMap{{"textpen.fontcolor", QColor(Qt::blue)},
                                                       {"pencolor", pen(Qt::blue)},
                                                       {"primarycolor", pen(Qt::blue)}}
                                        << 1 << QStringList();
        for (const QVariant& noPen :
             {QVariant("null;"), QVariant("#ff0000ff"), QVariant("crayon;#ff0000ff"), QVariant()})
            QTest::newRow(qPrintable("primary colour that makes no pen: " + noPen.toString()))
                << "primarycolor" << noPen << "primarycolor" << unchanged << 0 << QStringList();
        QTest::newRow("own pen width") << "linewidth" << QVariant(10.0) << "linewidth"
                                       << QVariantMap{{"linewidth", 3.0}} << 0 << QStringList();
        QTest::newRow("own pen style") << "linestyle" << QVariant(4) << "linestyle"
                                       << QVariantMap{{"linestyle", 1}} << 0 << QStringList();
        QTest::newRow("own pen style as text") << "linestyle" << QVariant("dash") << "linestyle"
                                               << QVariantMap{{"linestyle", 1}} << 0 << QStringList();
    }
    void writingAColourOrTheOwnPen()
    {
        QFETCH(QString, name);
        QFETCH(QVariant, value);
        QFETCH(QString, answer);
        QFETCH(QVariantMap, after);
        QFETCH(int, colourUpdates);
        QFETCH(QStringList, textToolWrites);
        CHostJournal::clear();
        QCOMPARE(m_pTool->setToolProperty(name, value), answer);
        for (auto it = after.cbegin(); it != after.cend(); ++it)
            QVERIFY2(property(it.key()) == it.value(), qPrintable(it.key()));
        QCOMPARE(CHostJournal::entries("CColorAction::updateAllColorActions").size(), colourUpdates);
        QCOMPARE(::textToolWrites(), textToolWrites);
    }

    void constructionGivesTheTextToolTheTextPensDefaults()
    {
        startHost([](CTextTool& textTool) {
            textTool.setToolProperty("fontfamily", "Courier");
            textTool.setToolProperty("alignment", int(Qt::AlignHCenter));
        });
        QCOMPARE(m_pTextTool->getToolProperty("fontfamily").toString(), "Arial");
        QCOMPARE(property("textpen.fontfamily").toString(), "Arial");
        QCOMPARE(property("textpen.alignment"), QVariant(int(Qt::AlignHCenter)));
        // The text tool's font colour came back, so the pen colour follows it.
        QCOMPARE(property("pencolor").toString(), pen(Qt::black));
    }

    void theTextToolsSettingsAreTakenOver_data()
    {
        QTest::addColumn<bool>("profileLoad"); // else the pen's activation
        QTest::newRow("on activation") << false;
        QTest::newRow("on a profile load, the pen not active") << true;
    }
    void theTextToolsSettingsAreTakenOver()
    {
        QFETCH(bool, profileLoad);
        if (profileLoad)
            QVERIFY(tools().activate("text"));
        m_pTextTool->setToolProperty("fontfamily", "Liberation Serif");
        m_pTextTool->setToolProperty("fontcolor", QColor(Qt::darkGreen));
        m_pTextTool->setToolProperty("pencolor", "normal;#FF0000FF");
        QSignalSpy activated(m_pTool, SIGNAL(siganlTextPenActivated()));

        if (profileLoad)
            CServicesLayer::get()->loadProfile();
        else
            QVERIFY(tools().activate(c_strTool));
        QCOMPARE(activated.count(), 1);
        QCOMPARE(property("textpen.fontfamily").toString(), "Liberation Serif");
        QCOMPARE(property("textpen.linecolor").toString(), "normal;#FF0000FF");
        QCOMPARE(property("pencolor").toString(), pen(Qt::darkGreen));
    }

    void theTextSettingsAreHandedBack_data()
    {
        QTest::addColumn<bool>("exit"); // else the pen's deactivation
        QTest::newRow("on deactivation") << false;
        QTest::newRow("on exit, which also saves the options") << true;
    }
    void theTextSettingsAreHandedBack()
    {
        QFETCH(bool, exit);
        QVERIFY(tools().activate(c_strTool));
        m_pTool->CTool::setToolProperty("textpen.linecolor", "normal;#FF00FF00");
        m_pTool->CTool::setToolProperty("textpen.fontfamily", "Liberation Mono");
        m_pTool->CTool::setToolProperty("textpen.italic", true);
        m_pTool->setToolProperty("overwritetextbox", true);
        CHostJournal::clear();

        if (exit)
            m_pTool->onExit();
        else
            tools().deactivate();
        QCOMPARE(textToolWrites(), (QStringList{"fontfamily", "fontcolor", "bold", "italic", "underline",
                                                "pencolor", "fillcolor", "linestyle", "linewidth"}));
        QCOMPARE(m_pTextTool->getToolProperty("pencolor").toString(), "normal;#FF00FF00");
        QCOMPARE(m_pTextTool->getToolProperty("fontfamily").toString(), "Liberation Mono");
        QCOMPARE(m_pTextTool->getToolProperty("italic"), QVariant(true));
        QVERIFY(!m_pTextTool->getToolProperty("overwritetextbox").isValid());
        if (!exit)
            return;
        QSettings saved(m_host.settingsFile(), QSettings::IniFormat);
        QCOMPARE(saved.value("tools/textpenplugin.handtext/overwritetextbox").toBool(), true);
    }

    void aTextSettingReachesTheTextToolAtOnce_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("textToolName"); // empty: the text tool does not hold it
        QTest::addColumn<QVariant>("value");
        const auto row = [](const char* szRow, const char* szName, const char* szTextToolName,
                            const QVariant& value) {
            QTest::newRow(szRow) << QString(szName) << QString(szTextToolName) << value;
        };
        row("family", "textpen.fontfamily", "fontfamily", "Liberation Sans");
        row("bold", "textpen.bold", "bold", true);
        row("outline colour", "textpen.linecolor", "pencolor", "normal;#FF123456");
        row("outline width", "textpen.linewidth", "linewidth", 7.5);
        row("alignment", "textpen.alignment", "alignment", int(Qt::AlignRight));
        row("not held: shadow", "textpen.shadow", "", true);
        row("not held: candidates", "showcandidates", "", true);
    }
    void aTextSettingReachesTheTextToolAtOnce()
    {
        QFETCH(QString, name);
        QFETCH(QString, textToolName);
        QFETCH(QVariant, value);
        CHostJournal::clear();
        QVERIFY(tools().setToolProperty(c_strTool, name, value, false));
        QCOMPARE(property(name), value);
        QCOMPARE(textToolWrites(), textToolName.isEmpty() ? QStringList() : QStringList(textToolName));
        if (!textToolName.isEmpty())
            QCOMPARE(m_pTextTool->getToolProperty(textToolName), value);
    }

    void theCursorFollowsTheWritingFlagAndTheSetting_data()
    {
        QTest::addColumn<QVariant>("setting");
        QTest::addColumn<bool>("writing");
        QTest::addColumn<int>("shape");
        QTest::addColumn<int>("pixmapWidth");
        QTest::newRow("idle") << QVariant() << false << int(Qt::BitmapCursor) << 32;
        QTest::newRow("writing, setting absent") << QVariant() << true << int(Qt::BlankCursor) << 0;
        QTest::newRow("writing, setting off") << QVariant(false) << true << int(Qt::BlankCursor) << 0;
        QTest::newRow("writing, dot cursor") << QVariant(true) << true << int(Qt::BitmapCursor) << 3;
    }
    void theCursorFollowsTheWritingFlagAndTheSetting()
    {
        QFETCH(QVariant, setting);
        QFETCH(bool, writing);
        QFETCH(int, shape);
        QFETCH(int, pixmapWidth);
        if (setting.isValid())
            COrrery::getUserSettings()->setValue("cursor.usedotcursor.writing", setting);
        QVERIFY(tools().activate(c_strTool));
        if (writing)
            QTest::mousePress(m_host.view()->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(100, 100));
        QCOMPARE(int(m_host.view()->cursor().shape()), shape);
        QCOMPARE(m_host.view()->cursor().pixmap().width(), pixmapWidth);
        // While writing the host is handed the dot, whatever the setting.
        QCOMPARE(m_pTool->getNormalCursor().pixmap().width(), writing ? 3 : 32);
    }

    void aTapOpensOrSelectsWhatIsUnderThePen_data()
    {
        QTest::addColumn<bool>("otherType");
        QTest::addColumn<bool>("locked");
        QTest::addColumn<bool>("selected");
        QTest::addColumn<bool>("edited"); // the box is selected after the tap in every case
        QTest::newRow("selected text box") << false << false << true << true;
        QTest::newRow("selected locked box") << false << true << true << false;
        QTest::newRow("selected other text box") << true << false << true << false;
        QTest::newRow("unselected text box") << false << false << false << false;
    }
    void aTapOpensOrSelectsWhatIsUnderThePen()
    {
        QFETCH(bool, otherType);
        QFETCH(bool, locked);
        QFETCH(bool, selected);
        QFETCH(bool, edited);
        const boost::shared_ptr<CComponent> pBox =
            otherType ? boost::make_shared<COtherTextBox>() : CComponent::create("text");
        pBox->setPropertyValue("position", QPointF(100, 100));
        pBox->setPropertyValue("string", "Hello board");
        pBox->setPropertyValue("locked", locked);
        QVERIFY(CControlLayer::get()->invokeInsertCommand(pBox, -1, -1));
        if (selected)
            COrrery::getSelectionManager()->select(pBox.get());
        QVERIFY(tools().activate(c_strTool));

        // A real tap: the pen goes down and up without moving.
        const QPoint point = m_host.view()->mapFromScene(QPointF(110, 110));
        QTest::mouseClick(m_host.view()->viewport(), Qt::LeftButton, Qt::NoModifier, point);
        QTRY_VERIFY(!m_pTool->currentScribble());

        QCOMPARE(!CHostJournal::entries("CEditTextHelper::startEditText").isEmpty(), edited);
        QVERIFY(COrrery::getSelectionManager()->selectedComponents().contains(pBox.get()));
        for (QGraphicsItem* pItem : m_host.view()->scene()->items())
            QVERIFY2(!dynamic_cast<QGraphicsPathItem*>(pItem) || COrreryView::componentOf(pItem),
                     "the tap's ink stays on the board");
        QCOMPARE(m_pTool->getNormalCursor().pixmap().width(), 32);
    }

    // Recorded ink can carry points that no screen makes; they are left out, not put on the board.
    void pointsThatAreNoNumbersAreLeftOut()
    {
        CScriptedRecognizer* pRecognizer = CBoardHost::useScriptedRecognizer();
        pRecognizer->setStandingAnswer({"word"});
        const double dNaN = std::numeric_limits<double>::quiet_NaN();
        auto pScribble = boost::make_shared<CScribble>();
        pScribble->beginStroke(QPointF(dNaN, dNaN), 0);
        pScribble->addPoint(QPointF(100, 100), 10);
        pScribble->addPoint(QPointF(std::numeric_limits<double>::infinity(), 5), 20);
        pScribble->addPoint(QPointF(200, 150), 30);
        pScribble->addPoint(QPointF(1e300, -1e300), 40);

        m_pTool->onPenInput(pScribble);
        const QPointF first = m_host.view()->mapToScene(QPoint(100, 100)),
                      last = m_host.view()->mapToScene(QPoint(200, 150));
        QCOMPARE(pRecognizer->received(), (QList<QVector<QVector<QPointF>>>{{{first, last}}}));
        const QList<CComponent*> boxes = COrrery::getWorkspace()->getCurrentTopic()->components();
        QCOMPARE(boxes.size(), 1);
        QCOMPARE(boxes.first()->getPropertyValue("position").toPointF(), first);
        QVERIFY(std::isfinite(boxes.first()->getPropertyValue("fontsize").toDouble()));
    }
};

QTEST_MAIN(tst_ToolTextPen)
#include "tst_tooltextpen.moc"
