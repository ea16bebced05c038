// The plug-in object as the host sees it: the entry points, its identity, its interface, what set-up
// and tear-down ask of the host, in order, and the trace lines its operations write into the host's
// log, only while the level is exactly "TRACE".
#include "abstractpropertyeditor.h"
#include "action.h"
#include "actionmanager.h"
#include "contextbarmanager.h"
#include "contextbartextpen.h"
#include "guilayer.h"
#include "hostjournal.h"
#include "logsystem.h"
#include "namedtool.h"
#include "orrery.h"
#include "propertyeditormanager.h"
#include "textpenplugin.h"
#include "textpenpropertieswidget.h"
#include "textpentoolaction.h"
#include "tool.h"
#include "toolmanager.h"
#include "toolpropertiesperspectivemanager.h"

#include <QMenu>
#include <QPointer>
#include <QTemporaryDir>
#include <QtTest>
#include <boost/make_shared.hpp>
#include <boost/weak_ptr.hpp>

namespace {

QStringList loggedLines()
{
    QStringList lines;
    for (const std::string& strLine : CLogSystem::theRootInstance->sink().lines())
        lines.append(QString::fromStdString(strLine));
    return lines;
}

} // namespace

class tst_PluginShell : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        CGUILayer::resetHost();
        CLogSystem::theRootInstance->sink().clear();
        CLogSystem::theRootInstance->setLevel("TRACE");
    }
    void cleanupTestCase()
    {
        CGUILayer::shutdownHost();
        CLogSystem::theRootInstance->setLevel("INFO");
    }

    void theInstanceStaysTheSameUntilDeleted()
    {
        QObject* pFirst = qt_plugin_instance();
        QVERIFY(pFirst);
        QCOMPARE(qt_plugin_instance(), pFirst);
        QCOMPARE(pFirst->parent(), nullptr);

        delete pFirst;
        QPointer<QObject> pSecond = qt_plugin_instance();
        QVERIFY(pSecond);
        QCOMPARE(qt_plugin_instance(), pSecond.data());
        QCOMPARE(QString::fromLatin1(pSecond->metaObject()->className()), QStringLiteral("CTextPenPlugIn"));
        delete pSecond;
    }

    void setUpSucceedsWithOrWithoutAToolManager_data()
    {
        QTest::addColumn<bool>("withToolManager");
        QTest::newRow("with tool manager") << true;
        QTest::newRow("without tool manager") << false;
    }
    void setUpSucceedsWithOrWithoutAToolManager()
    {
        QFETCH(bool, withToolManager);
        SHostOptions options;
        options.bWithToolManager = withToolManager;
        CGUILayer::resetHost(options);
        QCOMPARE(COrrery::getToolManager() != nullptr, withToolManager);

        QMenu menu;
        menu.addAction(QStringLiteral("Laser Pen"))->setObjectName(QStringLiteral("tool.laserpen"));
        COrrery::setMenu(&menu);

        CTextPenPlugIn plugin;
        QVERIFY(plugin.setUp());
        // Nothing is registered twice or refused by the host.
        for (const QString& strEntry : CHostJournal::entries())
            QVERIFY2(!strEntry.endsWith(QLatin1String("-> false")), qPrintable(strEntry));
        QCOMPARE(menu.actions().value(1)->objectName(), QStringLiteral("tool.textpen"));
        // Tool, context bar, editors and the properties page are there for the host to use.
        QCOMPARE(withToolManager && COrrery::getToolManager()->getToolByName("textpenplugin.handtext"),
                 withToolManager);
        QVERIFY(COrrery::getPropertyEditorManager()->createEditor(QStringLiteral("showcandidates"),
                                                                  CAbstractPropertyEditor::eToolContext));
        QVERIFY(COrrery::getContextbarManager()->isShownByHost(
            QStringLiteral("textpenplugin.handtext.contextbar")));
        QVERIFY(qobject_cast<CContextbarTextPen*>(COrrery::getContextbarManager()->getContextbar(
            QStringLiteral("textpenplugin.handtext.contextbar"))));
        QVERIFY(CGUILayer::get()->getToolPerspectiveManager()->factoryFor(
                    QStringLiteral("textpenplugin.handtext")) == &CTextPenPropertiesWidget::create);
    }

    // A refusal is the host's to make (here: the name is taken); set-up leaves the menu alone then.
    void aRefusedActionIsNotPlacedAndSetUpGoesOn()
    {
        QMenu menu;
        menu.addAction(QStringLiteral("Laser Pen"))->setObjectName(QStringLiteral("tool.laserpen"));
        COrrery::setMenu(&menu);
        QCOMPARE(COrrery::getActionManager()->registerAction(
                     boost::make_shared<CAction>(QStringLiteral("tool.textpen"), QIcon())),
                 0);
        CHostJournal::clear();

        CTextPenPlugIn plugin;
        QVERIFY(plugin.setUp());
        const QStringList entries = CHostJournal::entries();
        const int iRefused =
            entries.indexOf(QStringLiteral("CActionManager::registerAction tool.textpen -> 3"));
        QVERIFY2(iRefused >= 0, qPrintable(entries.join('\n')));
        QCOMPARE(CHostJournal::entries("COrrery::addActionToMenuNextTo"), QStringList());
        QCOMPARE(menu.actions().size(), 1);
        QVERIFY(!qobject_cast<CTextPenToolAction*>(COrrery::getActionManager()->getAction("tool.textpen")));
        // The editors are still registered after the refusal.
        QCOMPARE(entries.mid(iRefused + 1).filter("CPropertyEditorManager::registerEditor").first(),
                 QStringLiteral("CPropertyEditorManager::registerEditor textpen.fontcolor -> true"));
    }

    void tearDownWithdrawsToolContextBarAndActionInOrder_data()
    {
        QTest::addColumn<bool>("withToolManager");
        QTest::newRow("with tool manager") << true;
        QTest::newRow("without tool manager") << false;
    }
    void tearDownWithdrawsToolContextBarAndActionInOrder()
    {
        QFETCH(bool, withToolManager);
        QStringList expected{
            "CContextbarManager::unregisterContextbar textpenplugin.handtext.contextbar true -> false",
            "CActionManager::unregisterAction tool.textpen -> action"};
        if (withToolManager)
            expected.prepend("CToolManager::unregisterTool textpenplugin.handtext -> tool");
        SHostOptions options;
        options.bWithToolManager = withToolManager;
        CGUILayer::resetHost(options);

        // What the text pen registers under its names, held only by the host from here on.
        boost::weak_ptr<CTool> pTool;
        if (withToolManager) {
            auto pNewTool = boost::make_shared<CNamedTool>(QStringLiteral("textpenplugin.handtext"));
            pTool = pNewTool;
            QVERIFY(COrrery::getToolManager()->registerTool(pNewTool));
        }
        QMenu menu;
        COrrery::setMenu(&menu);
        auto pNewAction = boost::make_shared<CAction>(QStringLiteral("tool.textpen"), QIcon());
        boost::weak_ptr<CAction> pAction = pNewAction;
        QCOMPARE(COrrery::getActionManager()->registerAction(pNewAction), 0);
        menu.addAction(pNewAction.get());
        pNewAction.reset();
        CHostJournal::clear();

        CTextPenPlugIn plugin;
        plugin.tearDown();

        QCOMPARE(CHostJournal::entries(), expected);
        // The shared pointers the host handed back were released at once.
        QVERIFY(pTool.expired());
        QVERIFY(pAction.expired());
        QVERIFY(menu.actions().isEmpty());
    }

    void tearDownWithdrawsOnlyWhatSetUpRegistered()
    {
        auto pOther = boost::make_shared<CNamedTool>(QStringLiteral("text"));
        QVERIFY(COrrery::getToolManager()->registerTool(pOther));
        QCOMPARE(COrrery::getActionManager()->registerAction(
                     boost::make_shared<CAction>(QStringLiteral("tool.laserpen"), QIcon())),
                 0);

        CTextPenPlugIn plugin;
        plugin.setUp();
        QPointer<CContextbarInterface> pBar = COrrery::getContextbarManager()->getContextbar(
            QStringLiteral("textpenplugin.handtext.contextbar"));
        QVERIFY(pBar);
        plugin.tearDown();
        plugin.tearDown(); // a second withdrawal finds nothing and changes nothing

        QCOMPARE(COrrery::getToolManager()->getToolNames(), QStringList() << "text");
        QCOMPARE(COrrery::getActionManager()->getActionNames(), QStringList() << "tool.laserpen");
        // The bar goes with the plug-in; the page's factory and the editors stay the host's.
        QVERIFY(pBar.isNull() && COrrery::getContextbarManager()->getContextbarNames().isEmpty());
        QVERIFY(CGUILayer::get()->getToolPerspectiveManager()->factoryFor(
            QStringLiteral("textpenplugin.handtext")));
        QVERIFY(COrrery::getPropertyEditorManager()->createEditor(QStringLiteral("textpen.bold"),
                                                                  CAbstractPropertyEditor::eToolContext));
    }

    void noLineUnlessTheLevelIsExactlyTrace_data()
    {
        QTest::addColumn<QString>("level");
        QTest::newRow("lower case") << "trace";
        QTest::newRow("padded") << "TRACE ";
        QTest::newRow("debug") << "DEBUG";
        QTest::newRow("info") << "INFO";
        QTest::newRow("empty") << "";
    }
    void noLineUnlessTheLevelIsExactlyTrace()
    {
        QFETCH(QString, level);
        CLogSystem::theRootInstance->setLevel(level.toStdString());
        CTextPenPlugIn plugin;
        plugin.getID();
        plugin.getPluginName();
        plugin.setUp();
        plugin.tearDown();
        QCOMPARE(loggedLines(), QStringList());
    }

    void everyOperationOfThePluginObjectIsTraced_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("setUp") << "CTextPenPlugIn::setUp";
        QTest::newRow("tearDown") << "CTextPenPlugIn::tearDown";
        QTest::newRow("getID") << "CTextPenPlugIn::getID";
        QTest::newRow("getPluginName") << "CTextPenPlugIn::getPluginName";
    }
    void everyOperationOfThePluginObjectIsTraced()
    {
        QFETCH(QString, name);
        CTextPenPlugIn plugin;
        const QString strOperation = name.section(QStringLiteral("::"), 1);
        if (strOperation == QLatin1String("setUp"))
            plugin.setUp();
        else if (strOperation == QLatin1String("tearDown"))
            plugin.tearDown();
        else if (strOperation == QLatin1String("getID"))
            plugin.getID();
        else
            plugin.getPluginName();
        // Lines read "<file tag><line>\t <Enter|Exit> <name> "; set-up's own lines enclose those of the
        // objects it makes, and the exit comes after the entry in the source.
        const QStringList lines = loggedLines();
        const QRegularExpression format(
            QStringLiteral("^\\.\\\\textpenplugin\\.cpp\t([0-9]+)\t (Enter|Exit) (\\S+) $"));
        const QRegularExpressionMatch enter = format.match(lines.value(0)),
                                      exit = format.match(lines.value(lines.size() - 1));
        QVERIFY2(enter.hasMatch() && exit.hasMatch(), qPrintable(lines.join('\n')));
        QCOMPARE(enter.captured(2) + ' ' + enter.captured(3), "Enter " + name);
        QCOMPARE(exit.captured(2) + ' ' + exit.captured(3), "Exit " + name);
        QVERIFY(enter.captured(1).toInt() > 0 && exit.captured(1).toInt() > enter.captured(1).toInt());
        QCOMPARE(lines.filter(QStringLiteral(" CTextPenPlugIn::")).size(), 2);
    }

    // The older host passed texts through a URL round trip; ours must still write them unchanged,
    // including a leading "Name:" that a URL parser reads as a scheme, backslashes and TABs.
    void insertionsWriteTheirTextAsGivenEachFollowedByASpace_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("scheme-like") << "CTextPenPlugIn::getID";
        QTest::newRow("file tag") << ".\\textpenplugin.cpp\t12\t";
        QTest::newRow("non-Latin") << QString::fromUtf8("Überschrift مرحبا");
    }
    void insertionsWriteTheirTextAsGivenEachFollowedByASpace()
    {
        QFETCH(QString, text);
        basic_logging::Logger& logger = CLogSystem::theRootInstance->logger();
        logger << text << "(" << true << false << ")" << basic_logging::Logger::end;
        QCOMPARE(loggedLines(), QStringList() << text + QStringLiteral(" ( 1 0 ) "));
    }

    // An unwritable log file leaves the log in memory working; a writable one receives each line.
    void theLogFileReceivesEachLine()
    {
        basic_logging::tracelevel& sink = CLogSystem::theRootInstance->sink();
        QVERIFY(!sink.setFile(QStringLiteral("/nonexistent-dir/whiteboard.log")));
        CTextPenPlugIn().getID();
        QCOMPARE(loggedLines().size(), 2);
        QTemporaryDir dir;
        const QString strPath = dir.filePath(QStringLiteral("whiteboard.log"));
        QVERIFY(sink.setFile(strPath));
        CTextPenPlugIn().getPluginName();
        QVERIFY(sink.setFile(QString()));

        QFile file(strPath);
        QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
        const QStringList fileLines =
            QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(fileLines.size(), 2);
        QCOMPARE(fileLines, loggedLines().mid(2));
    }

    void theEnvironmentChoosesTheLevelBeforeTheSettings_data()
    {
        QTest::addColumn<QByteArray>("environment");
        QTest::addColumn<QString>("settings");
        QTest::addColumn<QString>("expected");
        QTest::newRow("environment wins") << QByteArray("TRACE") << "INFO"
                                          << "TRACE";
        QTest::newRow("settings") << QByteArray() << "TRACE"
                                  << "TRACE";
        QTest::newRow("neither") << QByteArray() << ""
                                 << "INFO";
    }
    void theEnvironmentChoosesTheLevelBeforeTheSettings()
    {
        QFETCH(QByteArray, environment);
        QFETCH(QString, settings);
        QFETCH(QString, expected);
        if (environment.isEmpty())
            qunsetenv("WHITEBOARD_LOG_LEVEL");
        else
            qputenv("WHITEBOARD_LOG_LEVEL", environment);
        QCOMPARE(QString::fromStdString(CLogSystem::configuredLevel(settings)), expected);
        qunsetenv("WHITEBOARD_LOG_LEVEL");
    }
};

QTEST_MAIN(tst_PluginShell)
#include "tst_pluginshell.moc"
