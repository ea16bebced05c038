// The host's tool services as tools and plug-ins rely on them: activation order, property changes
// through a tool's own rules, saved settings across runs, the profile announcement, messages without
// a user, the recognizers, and the host's text tool on the board.
#include "actionutilities.h"
#include "coloraction.h"
#include "component.h"
#include "controllayer.h"
#include "guilayer.h"
#include "hostjournal.h"
#include "orreryview.h"
#include "placeholderrecognizer.h"
#include "recognizermanager.h"
#include "scriptedrecognizer.h"
#include "serviceslayer.h"
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

namespace {

// A tool that writes its activations into a shared log and keeps its "width" within 1..10.
class CLoggingTool : public CTool
{
public:
    CLoggingTool(const QString& strName, QStringList* pLog) : m_strName(strName), m_pLog(pLog) {}
    QString getName() const override { return m_strName; }
    QString setToolProperty(const QString& strName, const QVariant& value) override
    {
        return CTool::setToolProperty(
            strName, strName == QLatin1String("width") ? qBound(1, value.toInt(), 10) : value);
    }

protected:
    void activate(bool bFlag) override
    {
        m_pLog->append(QStringLiteral("activate ") + m_strName);
        CTool::activate(bFlag);
    }
    void deactivate(bool bFlag) override
    {
        m_pLog->append(QStringLiteral("deactivate ") + m_strName);
        CTool::deactivate(bFlag);
    }

private:
    QString m_strName;
    QStringList* m_pLog;
};

} // namespace

class tst_ToolManager : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QStringList m_log;

    CToolManager& tools() { return *COrrery::getToolManager(); }
    void startHost(bool bWithToolManager = true, const QString& strSettings = QStringLiteral("settings.ini"))
    {
        SHostOptions options;
        options.strSettingsFile = m_dir.filePath(strSettings);
        options.bWithToolManager = bWithToolManager;
        CGUILayer::resetHost(options);
    }

private slots:
    void init()
    {
        QFile::remove(m_dir.filePath(QStringLiteral("settings.ini")));
        startHost();
        m_log.clear();
        // Nobody is there to answer a box.
        CActionUtilities::setMessageHandler([](CActionUtilities::EMessageBoxType, const QString&,
                                               QMessageBox::StandardButtons) { return QMessageBox::Cancel; });
    }
    void cleanupTestCase() { CGUILayer::shutdownHost(); }

    void theActiveToolLetsGoBeforeTheNextOneStarts()
    {
        QVERIFY(tools().registerTool(boost::make_shared<CLoggingTool>(QStringLiteral("a"), &m_log)));
        QVERIFY(tools().registerTool(boost::make_shared<CLoggingTool>(QStringLiteral("b"), &m_log)));
        QSignalSpy activated(&tools(), &CToolManager::signalToolActivated);
        QVERIFY(tools().activate(QStringLiteral("a")));
        QVERIFY(tools().activate(QStringLiteral("b")));
        QVERIFY(!tools().activate(QStringLiteral("c")));
        QCOMPARE(m_log, QStringList({"activate a", "deactivate a", "activate b"}));
        QCOMPARE(activated.count(), 2);
        QCOMPARE(activated.last().first().toString(), QStringLiteral("b"));
        QCOMPARE(tools().getActiveTool(), tools().getToolByName(QStringLiteral("b")));

        QVERIFY(tools().unregisterTool(QStringLiteral("b")));
        QCOMPARE(m_log.last(), QStringLiteral("deactivate b"));
        QCOMPARE(tools().getActiveTool(), nullptr);
    }

    void aPropertyIsSetThroughTheToolsRules_data()
    {
        QTest::addColumn<QString>("tool");
        QTest::addColumn<int>("written");
        QTest::addColumn<bool>("known");
        QTest::addColumn<int>("stored");
        QTest::newRow("within the range") << "a" << 5 << true << 5;
        QTest::newRow("beyond the range") << "a" << 50 << true << 10;
        QTest::newRow("unknown tool") << "z" << 5 << false << 0;
    }
    void aPropertyIsSetThroughTheToolsRules()
    {
        QFETCH(QString, tool);
        QFETCH(int, written);
        QFETCH(bool, known);
        QFETCH(int, stored);
        QVERIFY(tools().registerTool(boost::make_shared<CLoggingTool>(QStringLiteral("a"), &m_log)));
        QSignalSpy changed(&tools(), &CToolManager::signalToolPropertyChanged);
        QCOMPARE(tools().setToolProperty(tool, QStringLiteral("width"), written, false), known);
        QCOMPARE(changed.count(), known ? 1 : 0);
        if (known) {
            QCOMPARE(changed.first(), QVariantList({tool, QStringLiteral("width"), stored}));
            QCOMPARE(CHostJournal::entries(QStringLiteral("CToolManager::setToolProperty")).size(), 1);
        }
    }

    void savedPropertiesComeBackInTheNextRun_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QVariant>("value");
        QTest::newRow("bool") << "bold" << QVariant(true);
        QTest::newRow("double") << "fontsize" << QVariant(40.5);
        QTest::newRow("int") << "alignment" << QVariant(int(Qt::AlignRight));
        QTest::newRow("text") << "pencolor" << QVariant(QStringLiteral("normal;#FF00FF00"));
        QTest::newRow("colour") << "fontcolor" << QVariant(QColor(10, 20, 30, 40));
    }
    void savedPropertiesComeBackInTheNextRun()
    {
        QFETCH(QString, name);
        QFETCH(QVariant, value);
        QVERIFY(tools().registerTool(boost::make_shared<CTextTool>()));
        QVERIFY(tools().setToolProperty(QStringLiteral("text"), name, value, true));
        // The next run reads the file from disk; under the same name, QSettings would answer from
        // what this process cached when it wrote.
        QFile::remove(m_dir.filePath(QStringLiteral("next.ini")));
        QVERIFY(QFile::copy(m_dir.filePath(QStringLiteral("settings.ini")),
                            m_dir.filePath(QStringLiteral("next.ini"))));
        startHost(true, QStringLiteral("next.ini"));
        QVERIFY(tools().registerTool(boost::make_shared<CTextTool>()));
        const QVariant restored = tools().getToolByName(QStringLiteral("text"))->getToolProperty(name);
        QCOMPARE(restored, value);
        QCOMPARE(restored.userType(), value.userType());
    }

    void theProfileIsLoadedAndAnnounced_data()
    {
        QTest::addColumn<bool>("withToolManager");
        QTest::newRow("with tools") << true;
        QTest::newRow("without a tool manager") << false;
    }
    void theProfileIsLoadedAndAnnounced()
    {
        QFETCH(bool, withToolManager);
        startHost(withToolManager);
        auto pText = boost::make_shared<CTextTool>();
        if (withToolManager)
            QVERIFY(tools().registerTool(pText));
        COrrery::getUserSettings()->setValue(QStringLiteral("tools/text/italic"), true);
        QSignalSpy loaded(CServicesLayer::get(), &CServicesLayer::signalProfileLoaded);
        CServicesLayer::get()->loadProfile();
        QCOMPARE(loaded.count(), 1);
        QCOMPARE(pText->getToolProperty(QStringLiteral("italic")), QVariant(withToolManager));
    }

    void aMessageIsAnsweredByTheHandlerAndRecorded()
    {
        QStringList shown;
        const auto answerNo = [&shown](CActionUtilities::EMessageBoxType, const QString& strText,
                                       QMessageBox::StandardButtons) {
            shown.append(strText);
            return QMessageBox::No;
        };
        const CActionUtilities::FMessageHandler previous = CActionUtilities::setMessageHandler(answerNo);
        QCOMPARE(CActionUtilities::messageBox(CActionUtilities::eMessageBoxQuestion, nullptr,
                                              QStringLiteral("Keep it?"), QMessageBox::Yes | QMessageBox::No,
                                              QMessageBox::Yes),
                 QMessageBox::No);
        QCOMPARE(shown, QStringList({"Keep it?"}));
        QCOMPARE(CHostJournal::entries(QStringLiteral("CActionUtilities::messageBox")),
                 QStringList({"CActionUtilities::messageBox 2 Keep it?"}));
        QVERIFY(CActionUtilities::setMessageHandler(previous));
    }

    void recognizersAnswerAsTheyShould()
    {
        CPlaceholderRecognizer placeholder;
        const QVector<QVector<QPointF>> twoStrokes = {{QPointF(0, 0)}, {QPointF(5, 5), QPointF(9, 9)}};
        QCOMPARE(placeholder.recognize({}), QStringList());
        QCOMPARE(placeholder.recognize(twoStrokes), QStringList({"Text", "2 strokes"}));

        CScriptedRecognizer scripted;
        scripted.enqueue({"first"});
        scripted.setStandingAnswer({"always"});
        QCOMPARE(scripted.recognize(twoStrokes), QStringList({"first"}));
        QCOMPARE(scripted.recognize({}), QStringList({"always"}));
        QCOMPARE(scripted.received().first(), twoStrokes);

        CRecognizerManager& manager = *COrrery::getRecognizerManager();
        QSignalSpy changed(&manager, &CRecognizerManager::signalActiveRecognizerChanged);
        QVERIFY(manager.registerRecognizer(boost::make_shared<CPlaceholderRecognizer>()));
        QVERIFY(!manager.registerRecognizer(boost::make_shared<CPlaceholderRecognizer>()));
        manager.setActiveRecognizer(QStringLiteral("placeholder"));
        QCOMPARE(manager.getActiveRecognizer(), manager.getRecognizer(QStringLiteral("placeholder")));
        manager.setActiveRecognizer(QStringLiteral("nothing"));
        QCOMPARE(manager.getActiveRecognizer(), nullptr);
        QCOMPARE(changed.count(), 2);
    }

    void theTextToolStartsWithItsDefaultsAndSavesThem_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QVariant>("expected");
        QTest::newRow("font family") << "fontfamily" << QVariant(QStringLiteral("Arial"));
        QTest::newRow("font size") << "fontsize" << QVariant(24.0);
        QTest::newRow("bold") << "bold" << QVariant(false);
        QTest::newRow("alignment") << "alignment" << QVariant(int(Qt::AlignLeft));
        QTest::newRow("clear fill") << "fillcolor" << QVariant(QColor(255, 255, 255, 0));
    }
    void theTextToolStartsWithItsDefaultsAndSavesThem()
    {
        QFETCH(QString, name);
        QFETCH(QVariant, expected);
        CTextTool tool;
        QCOMPARE(tool.getToolProperty(name), expected);
        QCOMPARE(tool.getToolProperty(name).userType(), expected.userType());
        QVERIFY(tool.getPersistentProperties().contains(name));
        QCOMPARE(tool.getPersistentProperties(), tool.getToolPropertyNames());
    }

    void aClickWithTheTextToolOpensOrMakesOneTextBox_data()
    {
        QTest::addColumn<bool>("boxThere");
        QTest::addColumn<bool>("locked");
        QTest::addColumn<bool>("newBox");
        QTest::newRow("empty board") << false << false << true;
        QTest::newRow("on a text box") << true << false << false;
        QTest::newRow("on a locked text box") << true << true << true;
    }
    void aClickWithTheTextToolOpensOrMakesOneTextBox()
    {
        QFETCH(bool, boxThere);
        QFETCH(bool, locked);
        QFETCH(bool, newBox);
        COrreryView view;
        view.setFixedSize(800, 600);
        COrrery::setView(&view);
        CTopic* pTopic = COrrery::getWorkspace()->getCurrentTopic();
        view.showTopic(pTopic);
        QVERIFY(tools().registerTool(boost::make_shared<CTextTool>()));
        QVERIFY(tools().activate(QStringLiteral("text")));
        if (boxThere) {
            const boost::shared_ptr<CComponent> pBox = CComponent::create(QStringLiteral("text"));
            pBox->setPropertyValue(QStringLiteral("string"), QStringLiteral("there"));
            pBox->setPropertyValue(QStringLiteral("position"), QPointF(190, 140));
            pBox->setPropertyValue(QStringLiteral("locked"), locked);
            QVERIFY(pTopic->addComponent(pBox));
        }
        QTest::mouseClick(view.viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(200, 150));

        QCOMPARE(pTopic->componentCount(), int(boxThere) + int(newBox));
        QCOMPARE(CControlLayer::get()->undoStack()->count(), int(newBox));
        CComponent* pOpened = pTopic->components().last();
        QCOMPARE(CHostJournal::entries(QStringLiteral("CEditTextHelper::startEditText")),
                 QStringList({QStringLiteral("CEditTextHelper::startEditText %1").arg(pOpened->getID())}));
        QCOMPARE(dynamic_cast<QGraphicsTextItem*>(pOpened)->textInteractionFlags(),
                 Qt::TextEditorInteraction);
        if (newBox) {
            QCOMPARE(pOpened->getPropertyValue(QStringLiteral("position")).toPointF(), QPointF(200, 150));
            QCOMPARE(pOpened->getPropertyValue(QStringLiteral("fontsize")), QVariant(24.0));
        }
    }

    void colourActionsShowTheActiveToolsPen()
    {
        QVERIFY(tools().registerTool(boost::make_shared<CTextTool>()));
        QVERIFY(tools().activate(QStringLiteral("text")));
        CColorAction action(QStringLiteral("tool.color"));
        const int iUpdates = CColorAction::updateCount();
        tools().setToolProperty(QStringLiteral("text"), QStringLiteral("pencolor"), "normal;#FFFF0000",
                                false);
        CColorAction::updateAllColorActions();
        QCOMPARE(CColorAction::updateCount(), iUpdates + 1);
        QCOMPARE(action.shownColor(), QColor(Qt::red));
    }
};

QTEST_MAIN(tst_ToolManager)
#include "tst_toolmanager.moc"
