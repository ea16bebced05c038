// The "Text-Pen" menu entry: offered only with a recognizer and a page that takes input, enabled
// unless the board shows the live desktop; choosing it activates the text pen only while offered.
#include "actionmanager.h"
#include "boardhost.h"
#include "hostjournal.h"
#include "textpenplugin.h"
#include "textpentoolaction.h"
#include "toolmanager.h"

#include <QtTest>

class tst_TextPenToolAction : public QObject
{
    Q_OBJECT

private slots:
    void theAnswersFollowRecognizerPageAndView_data()
    {
        QTest::addColumn<bool>("recognizer");
        QTest::addColumn<bool>("blocked");
        QTest::addColumn<bool>("liveDesktop");
        QTest::addColumn<bool>("available");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("ready") << true << false << false << true << true;
        QTest::newRow("no recognizer") << false << false << false << false << false;
        QTest::newRow("no recognizer, blocked, live") << false << true << true << false << false;
        QTest::newRow("live desktop") << true << false << true << true << false;
        QTest::newRow("page blocks input") << true << true << false << false << true;
    }
    void theAnswersFollowRecognizerPageAndView()
    {
        QFETCH(bool, recognizer);
        QFETCH(bool, blocked);
        QFETCH(bool, liveDesktop);
        QFETCH(bool, available);
        QFETCH(bool, enabled);
        CBoardHost host;
        host.start();
        QVERIFY(CBoardHost::useScriptedRecognizer());
        CTextPenPlugIn plugin;
        QVERIFY(plugin.setUp());
        CAction* pAction = COrrery::getActionManager()->getAction(QStringLiteral("tool.textpen"));
        QVERIFY(qobject_cast<CTextPenToolAction*>(pAction));
        QCOMPARE(pAction->text(), QStringLiteral("Text-Pen"));

        COrrery::getRecognizerManager()->setActiveRecognizer(recognizer ? QStringLiteral("scripted")
                                                                        : QString());
        COrrery::getWorkspace()->getCurrentTopic()->setInputBlocked(blocked);
        host.view()->setLiveDesktopMode(liveDesktop);
        QCOMPARE(pAction->isAvailable(), available);
        QCOMPARE(pAction->isEnabledImpl(), enabled);

        // Chosen even where the menu would not offer it: only an available entry activates the tool,
        // and the check mark stays with the active tool.
        CHostJournal::clear();
        pAction->trigger();
        CToolManager* pTools = COrrery::getToolManager();
        QCOMPARE(pTools->getActiveTool() == pTools->getToolByName(QStringLiteral("textpenplugin.handtext")),
                 available);
        QCOMPARE(pAction->isChecked(), available);
        QCOMPARE(CHostJournal::entries(QStringLiteral("CToolAction::exec")),
                 available ? QStringList() << "CToolAction::exec textpenplugin.handtext -> true"
                           : QStringList());
        host.stop();
    }
};

QTEST_MAIN(tst_TextPenToolAction)
#include "tst_textpentoolaction.moc"
