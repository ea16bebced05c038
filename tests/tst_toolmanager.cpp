// The host's tool services as tools and plug-ins rely on them: activation order, property changes through
// a tool's own rules, saved settings, and the host's text tool.
#include "component.h"
#include "controllayer.h"
#include "guilayer.h"
#include "hostjournal.h"
#include "orreryview.h"
#include "texttool.h"
#include "toolmanager.h"
#include "topic.h"
#include "workspace.h"

#include <QGraphicsTextItem>
#include <QSettings>
#include <QTemporaryDir>
#include <QUndoStack>
#include <QtTest>
#include <boost/make_shared.hpp>

// A tool that writes its activations into a shared log and keeps its "width" within 1..10.
struct CLoggingTool : CTool
{
    CLoggingTool(const QString& strName, QStringList* pLog) : m_strName(strName), m_pLog(pLog) {}
    QString getName() const override { return m_strName; }
    QString setToolProperty(const QString& strName, const QVariant& value) override
    {
        return CTool::setToolProperty(strName, strName == "width" ? qBound(1, value.toInt(), 10) : value);
    }
    void activate(bool bFlag) override
    {
        m_pLog->append("activate " + m_strName);
        CTool::activate(bFlag);
    }
    void deactivate(bool bFlag) override
    {
        m_pLog->append("deactivate " + m_strName);
        CTool::deactivate(bFlag);
    }
    QString m_strName;
    QStringList* m_pLog;
};

class tst_ToolManager : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QStringList m_log;

    CToolManager& tools() { return *COrrery::getToolManager(); }
    bool addLoggingTool(const QString& strName)
    {
        return tools().registerTool(boost::make_shared<CLoggingTool>(strName, &m_log));
    }
    void startHost(bool bWithToolManager = true, const QString& strSettings = "settings.ini")
    {
        SHostOptions options;
        options.strSettingsFile = m_dir.filePath(strSettings);
        options.bWithToolManager = bWithToolManager;
        CGUILayer::resetHost(options);
    }

private slots:
    void init()
    {
        QFile::remove(m_dir.filePath("settings.ini"));
        startHost();
        m_log.clear();
    }
    void cleanupTestCase() { CGUILayer::shutdownHost(); }

    void theActiveToolLetsGoBeforeTheNextOneStarts()
    {
        QVERIFY(addLoggingTool("a") && addLoggingTool("b"));
        QSignalSpy activated(&tools(), &CToolManager::signalToolActivated);
        QVERIFY(tools().activate("a") && tools().activate("b"));
        QVERIFY(!tools().activate("c"));
        QCOMPARE(m_log, QStringList({"activate a", "deactivate a", "activate b"}));
        QCOMPARE(QList<QVariantList>(activated), QList<QVariantList>({{"a"}, {"b"}}));
        QCOMPARE(tools().getActiveTool(), tools().getToolByName("b"));
        QVERIFY(tools().unregisterTool("b"));
        QCOMPARE(m_log.last(), QStringLiteral("deactivate b"));
        QCOMPARE(tools().getActiveTool(), nullptr);
    }

    void aPropertyIsSetThroughTheToolsRules()
    {
        QVERIFY(addLoggingTool("a"));
        QSignalSpy changed(&tools(), &CToolManager::signalToolPropertyChanged);
        QVERIFY(tools().setToolProperty("a", "width", 5, false));
        QVERIFY(tools().setToolProperty("a", "width", 50, false));
        QVERIFY(!tools().setToolProperty("z", "width", 5, false));
        // The signal carries the value the tool kept.
        QCOMPARE(QList<QVariantList>(changed), QList<QVariantList>({{"a", "width", 5}, {"a", "width", 10}}));
        QCOMPARE(CHostJournal::entries("CToolManager::setToolProperty").size(), 2);
    }

    void savedPropertiesComeBackInTheNextRun_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QVariant>("value");
        QTest::newRow("bool") << "bold" << QVariant(true);
        QTest::newRow("double") << "fontsize" << QVariant(40.5);
        QTest::newRow("int") << "alignment" << QVariant(int(Qt::AlignRight));
        QTest::newRow("text") << "pencolor" << QVariant("normal;#FF00FF00");
        QTest::newRow("colour") << "fontcolor" << QVariant(QColor(10, 20, 30, 40));
    }
    void savedPropertiesComeBackInTheNextRun()
    {
        QFETCH(QString, name);
        QFETCH(QVariant, value);
        QVERIFY(tools().registerTool(boost::make_shared<CTextTool>()));
        QVERIFY(tools().setToolProperty("text", name, value, true));
        // The next run reads a copy from disk; under the same name, QSettings would answer from what
        // this process cached when it wrote.
        QVERIFY(QFile::copy(m_dir.filePath("settings.ini"), m_dir.filePath(name + ".ini")));
        startHost(true, name + ".ini");
        QVERIFY(tools().registerTool(boost::make_shared<CTextTool>()));
        const QVariant restored = tools().getToolByName("text")->getToolProperty(name);
        QCOMPARE(restored, value);
        QCOMPARE(restored.userType(), value.userType());
    }

    void aClickWithTheTextToolOpensOrMakesOneTextBox_data()
    {
        QTest::addColumn<bool>("boxThere");
        QTest::addColumn<bool>("locked");
        QTest::newRow("empty board") << false << false;
        QTest::newRow("on a text box") << true << false;
        QTest::newRow("on a locked text box") << true << true;
    }
    void aClickWithTheTextToolOpensOrMakesOneTextBox()
    {
        QFETCH(bool, boxThere);
        QFETCH(bool, locked);
        const bool bNewBox = !boxThere || locked;
        COrreryView view;
        view.setFixedSize(800, 600);
        COrrery::setView(&view);
        CTopic* pTopic = COrrery::getWorkspace()->getCurrentTopic();
        view.showTopic(pTopic);
        QVERIFY(tools().registerTool(boost::make_shared<CTextTool>()) && tools().activate("text"));
        if (boxThere) {
            const boost::shared_ptr<CComponent> pBox = CComponent::create("text");
            pBox->setPropertyValue("string", "there");
            pBox->setPropertyValue("position", QPointF(190, 140));
            pBox->setPropertyValue("locked", locked);
            QVERIFY(pTopic->addComponent(pBox));
        }
        QTest::mouseClick(view.viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(200, 150));

        QCOMPARE(pTopic->componentCount(), int(boxThere) + int(bNewBox));
        QCOMPARE(CControlLayer::get()->undoStack()->count(), int(bNewBox));
        CComponent* pOpened = pTopic->components().last();
        QCOMPARE(dynamic_cast<QGraphicsTextItem*>(pOpened)->textInteractionFlags(),
                 Qt::TextEditorInteraction);
        if (bNewBox) {
            QCOMPARE(pOpened->getPropertyValue("position").toPointF(), QPointF(200, 150));
            QCOMPARE(pOpened->getPropertyValue("fontsize"), QVariant(24.0));
        }
    }
};

QTEST_MAIN(tst_ToolManager)
#include "tst_toolmanager.moc"
