// The host's actions as plug-ins rely on them: a tool action picks its tool and carries the check mark
// while that tool is active; menu entries follow what their actions answer whenever the tool, the
// recognizer, the page or the view changes.
#include "actionmanager.h"
#include "boardhost.h"
#include "hostjournal.h"
#include "namedtool.h"
#include "recognizermanager.h"
#include "scriptedrecognizer.h"
#include "toolaction.h"
#include "toolmanager.h"

#include <QtTest>
#include <boost/make_shared.hpp>

namespace {

// An action whose answers the test sets before the host asks again.
class CAnsweringAction : public CAction
{
public:
    CAnsweringAction() : CAction(QStringLiteral("tool.answering"), QIcon()) {}
    bool isAvailable() override { return m_bAvailable; }
    bool isEnabledImpl() override { return m_bEnabled; }
    bool m_bAvailable = true;
    bool m_bEnabled = true;
};

enum EHostChange
{
    eToolActivated,
    eRecognizerChosen,
    ePageChanged,
    eLiveDesktopToggled
};

} // namespace

class tst_HostActions : public QObject
{
    Q_OBJECT

    CBoardHost m_host;

    static CToolManager& tools() { return *COrrery::getToolManager(); }
    static boost::shared_ptr<CToolAction> registeredToolAction(const QString& strTool)
    {
        auto pAction = boost::make_shared<CToolAction>("tool." + strTool, QIcon());
        pAction->setToolName(strTool);
        if (COrrery::getActionManager()->registerAction(pAction) != CActionManager::eRegistered)
            return boost::shared_ptr<CToolAction>();
        return pAction;
    }
    void makeChange(EHostChange eChange)
    {
        switch (eChange) {
        case eToolActivated:
            tools().activate(tools().getActiveTool() == tools().getToolByName("pen") ? "eraser" : "pen");
            break;
        case eRecognizerChosen:
            COrrery::getRecognizerManager()->setActiveRecognizer(
                COrrery::getRecognizerManager()->getActiveRecognizer() ? QString() : "scripted");
            break;
        case ePageChanged:
            COrrery::getWorkspace()->setCurrentTopic(COrrery::getWorkspace()->addTopic());
            break;
        case eLiveDesktopToggled:
            m_host.view()->setLiveDesktopMode(!m_host.view()->liveDesktopMode());
            break;
        }
    }

private slots:
    void init()
    {
        m_host.start();
        QVERIFY(tools().registerTool(boost::make_shared<CNamedTool>("pen")));
        QVERIFY(tools().registerTool(boost::make_shared<CNamedTool>("eraser")));
        QVERIFY(
            COrrery::getRecognizerManager()->registerRecognizer(boost::make_shared<CScriptedRecognizer>()));
    }
    void cleanup() { m_host.stop(); }

    void aToolActionPicksItsToolAndShowsWhileItIsActive()
    {
        const auto pAction = registeredToolAction("pen");
        QVERIFY(pAction && pAction->isCheckable());
        QVERIFY(!pAction->isChecked());
        CHostJournal::clear();
        pAction->trigger();
        QCOMPARE(tools().getActiveTool(), tools().getToolByName("pen"));
        QCOMPARE(CHostJournal::entries(),
                 QStringList({"CToolManager::activate pen", "CToolAction::exec pen -> true"}));
        QVERIFY(pAction->isCheckedImpl() && pAction->isChecked());

        // A second click on the checked entry keeps the tool; it does not take the check mark away.
        pAction->trigger();
        QVERIFY(pAction->isChecked());

        QVERIFY(tools().activate("eraser"));
        QVERIFY(!pAction->isCheckedImpl() && !pAction->isChecked());
    }

    void aToolActionForAnUnknownToolChangesNothing()
    {
        QVERIFY(tools().activate("eraser"));
        const auto pAction = registeredToolAction("chalk");
        pAction->trigger();
        QCOMPARE(tools().getActiveTool(), tools().getToolByName("eraser"));
        QVERIFY(!pAction->isChecked());
        QCOMPARE(CHostJournal::entries("CToolAction::exec"),
                 QStringList({"CToolAction::exec chalk -> false"}));
    }

    void theMenuEntryFollowsWhatTheActionAnswers_data()
    {
        QTest::addColumn<int>("change");
        QTest::newRow("tool activated") << int(eToolActivated);
        QTest::newRow("recognizer chosen") << int(eRecognizerChosen);
        QTest::newRow("page changed") << int(ePageChanged);
        QTest::newRow("live desktop toggled") << int(eLiveDesktopToggled);
    }
    void theMenuEntryFollowsWhatTheActionAnswers()
    {
        QFETCH(int, change);
        auto pAction = boost::make_shared<CAnsweringAction>();
        QCOMPARE(COrrery::getActionManager()->registerAction(pAction), 0);
        QVERIFY(pAction->isVisible() && pAction->isEnabled());

        pAction->m_bEnabled = false;
        makeChange(EHostChange(change));
        QVERIFY(pAction->isVisible() && !pAction->isEnabled());

        // Not available: still listed, greyed out.
        pAction->m_bAvailable = false;
        pAction->m_bEnabled = true;
        makeChange(EHostChange(change));
        QVERIFY(pAction->isVisible() && !pAction->isEnabled());

        pAction->m_bAvailable = true;
        makeChange(EHostChange(change));
        QVERIFY(pAction->isVisible() && pAction->isEnabled());
    }
};

QTEST_MAIN(tst_HostActions)
#include "tst_hostactions.moc"
