// The plug-in object as the host sees it: the entry points, its identity, its interface, and what
// set-up and tear-down ask of the host, in order.
#include "abstractpropertyeditor.h"
#include "action.h"
#include "actionmanager.h"
#include "contextbarmanager.h"
#include "contextbartextpen.h"
#include "guilayer.h"
#include "hostjournal.h"
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
#include <QtTest>
#include <boost/make_shared.hpp>
#include <boost/weak_ptr.hpp>

class tst_PluginShell : public QObject
{
    Q_OBJECT

private slots:
    void init() { CGUILayer::resetHost(); }
    void cleanupTestCase() { CGUILayer::shutdownHost(); }

    void theVerificationTextIsTheOneTheOlderLoaderExpects()
    {
        const QByteArray text(qt_plugin_query_verification_data());
        QCOMPARE(text, QByteArray("pattern=QT_PLUGIN_VERIFICATION_DATA\nversion=4.5.2\ndebug=false\n"
                                  "buildkey=Windows msvc release full-config"));
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
        // Tool, action and menu entry, context bar, editors, then the properties page, each once.
        QStringList kinds;
        for (const QString& strEntry : CHostJournal::entries()) {
            const QString strKind = strEntry.section(QLatin1Char(' '), 0, 0);
            if (strKind.contains(QLatin1String("::register")) || strKind.contains(QLatin1String("addAction")))
                if (kinds.isEmpty() || kinds.last() != strKind)
                    kinds.append(strKind);
        }
        QStringList expected{"CActionManager::registerAction", "COrrery::addActionToMenuNextTo",
                             "CContextbarManager::registerContextbar",
                             "CPropertyEditorManager::registerEditor",
                             "CToolPropertiesPerspectiveManager::registerPerspective"};
        if (withToolManager)
            expected.prepend(QStringLiteral("CToolManager::registerTool"));
        QCOMPARE(kinds, expected);
        QVERIFY(COrrery::getContextbarManager()->isShownByHost(
            QStringLiteral("textpenplugin.handtext.contextbar")));
        QVERIFY(qobject_cast<CContextbarTextPen*>(COrrery::getContextbarManager()->getContextbar(
            QStringLiteral("textpenplugin.handtext.contextbar"))));
        QVERIFY(CGUILayer::get()->getToolPerspectiveManager()->factoryFor(
                    QStringLiteral("textpenplugin.handtext")) == &CTextPenPropertiesWidget::create);
    }

    // What set-up registered is the host's until tear-down: the bar goes then, the page's factory stays.
    void tearDownAfterSetUpDestroysTheBarAndKeepsThePage()
    {
        CTextPenPlugIn plugin;
        plugin.setUp();
        QPointer<CContextbarInterface> pBar = COrrery::getContextbarManager()->getContextbar(
            QStringLiteral("textpenplugin.handtext.contextbar"));
        QVERIFY(pBar);
        plugin.tearDown();
        QVERIFY(pBar.isNull());
        QVERIFY(COrrery::getContextbarManager()->getContextbarNames().isEmpty());
        QVERIFY(!COrrery::getToolManager()->getToolByName(QStringLiteral("textpenplugin.handtext")));
        QVERIFY(CGUILayer::get()->getToolPerspectiveManager()->factoryFor(
            QStringLiteral("textpenplugin.handtext")));
        QCOMPARE(COrrery::getPropertyEditorManager()
                     ->createEditor(QStringLiteral("textpen.bold"), CAbstractPropertyEditor::eToolContext)
                     ->properties()
                     .size(),
                 3);
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
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("with tool manager")
            << true
            << (QStringList()
                << "CToolManager::unregisterTool textpenplugin.handtext -> tool"
                << "CContextbarManager::unregisterContextbar textpenplugin.handtext.contextbar true -> false"
                << "CActionManager::unregisterAction tool.textpen -> action");
        QTest::newRow("without tool manager")
            << false
            << (QStringList()
                << "CContextbarManager::unregisterContextbar textpenplugin.handtext.contextbar true -> false"
                << "CActionManager::unregisterAction tool.textpen -> action");
    }
    void tearDownWithdrawsToolContextBarAndActionInOrder()
    {
        QFETCH(bool, withToolManager);
        QFETCH(QStringList, expected);
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

    void tearDownLeavesOtherRegistrationsAlone()
    {
        auto pOther = boost::make_shared<CNamedTool>(QStringLiteral("text"));
        QVERIFY(COrrery::getToolManager()->registerTool(pOther));
        QCOMPARE(COrrery::getActionManager()->registerAction(
                     boost::make_shared<CAction>(QStringLiteral("tool.laserpen"), QIcon())),
                 0);

        CTextPenPlugIn plugin;
        plugin.setUp();
        plugin.tearDown();
        plugin.tearDown(); // a second withdrawal finds nothing and changes nothing

        QCOMPARE(COrrery::getToolManager()->getToolNames(), QStringList() << "text");
        QCOMPARE(COrrery::getActionManager()->getActionNames(), QStringList() << "tool.laserpen");
    }
};

QTEST_MAIN(tst_PluginShell)
#include "tst_pluginshell.moc"
