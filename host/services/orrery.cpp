#include "orrery.h"

#include "action.h"
#include "actionmanager.h"
#include "boardunits.h"
#include "controllayer.h"
#include "hostjournal.h"
#include "orreryview.h"
#include "pentool.h"
#include "recognizermanager.h"
#include "selectionmanager.h"
#include "textcomponent.h"
#include "tool.h"
#include "toolmanager.h"
#include "topic.h"
#include "workspace.h"

#include <QCoreApplication>
#include <QMenu>
#include <QPointer>
#include <QSettings>

namespace {

struct SHostState
{
    std::unique_ptr<QSettings> pSettings;
    std::unique_ptr<CToolManager> pToolManager;
    std::unique_ptr<CActionManager> pActionManager;
    std::unique_ptr<CSelectionManager> pSelectionManager;
    std::unique_ptr<CRecognizerManager> pRecognizerManager;
    std::unique_ptr<CWorkspace> pWorkspace;
    QPointer<COrreryView> pView;
    std::shared_ptr<CContextbarManager> pContextbarManager;
    std::shared_ptr<CPropertyEditorManager> pPropertyEditorManager;
    QPointer<QMenu> pMenu;
    QMetaObject::Connection liveDesktopConnection;
    QList<QMetaObject::Connection> pageConnections;
    double dLPToDPRatio = boardunits::c_dLPToDPRatio;
};

SHostState& host()
{
    static SHostState s_state;
    return s_state;
}

// What actions offer depends on the tool, the recognizer, the page and the view; each change of one
// of them asks them again.
void refreshActions()
{
    if (CActionManager* pActionManager = host().pActionManager.get())
        pActionManager->updateActions();
}

// What is unfinished on a page the board is about to leave is finished there: a box open for typing
// keeps what was typed, and writing that waits for its pause is handed on. While a step runs, neither
// can become a step of its own: the box keeps its text without one, and the writing is dropped rather
// than read onto a page it was not written on.
void finishWorkOnPage(CTopic* pTopic)
{
    const QList<CComponent*> components = pTopic ? pTopic->components() : QList<CComponent*>();
    for (CComponent* pComponent : components) {
        auto* pText = dynamic_cast<CTextComponent*>(pComponent);
        if (pText && pText->textInteractionFlags() != Qt::NoTextInteraction) {
            pText->finishEditing(true);
            break;
        }
    }
    CToolManager* pTools = host().pToolManager.get();
    CTool* pTool = pTools ? pTools->getActiveTool() : nullptr;
    if (!pTool)
        return;
    if (!CControlLayer::get()->isStepRunning())
        pTool->finishPendingWork();
    // A stroke still under the pen is no writing yet, and has no page to go to.
    if (auto* pPen = dynamic_cast<CPenTool*>(pTool))
        pPen->dropWriting();
}

} // namespace

CToolManager* COrrery::getToolManager()
{
    return host().pToolManager.get();
}

CActionManager* COrrery::getActionManager()
{
    return host().pActionManager.get();
}

CContextbarManager* COrrery::getContextbarManager()
{
    return host().pContextbarManager.get();
}

CPropertyEditorManager* COrrery::getPropertyEditorManager()
{
    return host().pPropertyEditorManager.get();
}

CSelectionManager* COrrery::getSelectionManager()
{
    return host().pSelectionManager.get();
}

CRecognizerManager* COrrery::getRecognizerManager()
{
    return host().pRecognizerManager.get();
}

CWorkspace* COrrery::getWorkspace()
{
    return host().pWorkspace.get();
}

COrreryView* COrrery::getView()
{
    return host().pView.data();
}

void COrrery::setView(COrreryView* pView)
{
    SHostState& state = host();
    QObject::disconnect(state.liveDesktopConnection);
    state.pView = pView;
    if (pView)
        state.liveDesktopConnection =
            QObject::connect(pView, &COrreryView::signalLiveDesktopModeChanged, &refreshActions);
    for (const QMetaObject::Connection& connection : state.pageConnections)
        QObject::disconnect(connection);
    state.pageConnections.clear();
    // The view shows the current page, whichever it is; a board opened anew brings its own, and the
    // view lets go of the old ones before they go.
    if (pView && state.pWorkspace) {
        CWorkspace* pWorkspace = state.pWorkspace.get();
        const auto showCurrent = [pView, pWorkspace] { pView->showTopic(pWorkspace->getCurrentTopic()); };
        state.pageConnections = {
            QObject::connect(pWorkspace, &CWorkspace::signalCurrentTopicChanged, pView, showCurrent),
            QObject::connect(pWorkspace, &CWorkspace::signalTopicsReset, pView, showCurrent)};
    }
    if (state.pSelectionManager)
        state.pSelectionManager->followScene(pView ? pView->scene() : nullptr);
    refreshActions();
}

IViewInputHandler* COrrery::getViewInputHandler()
{
    CToolManager* pManager = host().pToolManager.get();
    return pManager ? pManager->getActiveTool() : nullptr;
}

QSettings* COrrery::getUserSettings()
{
    SHostState& state = host();
    if (!state.pSettings)
        state.pSettings =
            std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                        QStringLiteral("whiteboard"), QStringLiteral("whiteboard"));
    return state.pSettings.get();
}

double COrrery::getLPToDPRatio()
{
    return host().dLPToDPRatio;
}

void COrrery::setLPToDPRatio(double dRatio)
{
    // A ratio that is not a positive number would make every size on the board zero or NaN.
    if (dRatio > 0.0)
        host().dLPToDPRatio = dRatio;
}

bool COrrery::addActionToMenuNextTo(const QString& strExistingAction, const QString& strNewAction)
{
    SHostState& state = host();
    CAction* pNew = state.pActionManager ? state.pActionManager->getAction(strNewAction) : nullptr;
    QMenu* pMenu = state.pMenu.data();
    bool bPlaced = false;
    if (pNew && pMenu) {
        const QList<QAction*> entries = pMenu->actions();
        for (int i = 0; i < entries.size(); ++i) {
            if (entries.at(i)->objectName() != strExistingAction)
                continue;
            pMenu->removeAction(pNew);
            // Entries may have moved by the removal above; look up the successor afresh.
            const QList<QAction*> current = pMenu->actions();
            const int iAt = current.indexOf(entries.at(i));
            if (iAt + 1 < current.size())
                pMenu->insertAction(current.at(iAt + 1), pNew);
            else
                pMenu->addAction(pNew);
            bPlaced = true;
            break;
        }
    }
    CHostJournal::record(QStringLiteral("COrrery::addActionToMenuNextTo %1 %2 -> %3")
                             .arg(strExistingAction, strNewAction,
                                  bPlaced ? QStringLiteral("true") : QStringLiteral("false")));
    return bPlaced;
}

void COrrery::setMenu(QMenu* pMenu)
{
    host().pMenu = pMenu;
}

void COrrery::reset(const SHostOptions& options)
{
    shutdown();
    SHostState& state = host();
    if (!options.strSettingsFile.isEmpty())
        state.pSettings = std::make_unique<QSettings>(options.strSettingsFile, QSettings::IniFormat);
    if (options.bWithToolManager)
        state.pToolManager = std::make_unique<CToolManager>();
    state.pActionManager = std::make_unique<CActionManager>();
    state.pSelectionManager = std::make_unique<CSelectionManager>();
    state.pRecognizerManager = std::make_unique<CRecognizerManager>();
    state.pWorkspace = std::make_unique<CWorkspace>();
    if (state.pToolManager)
        QObject::connect(state.pToolManager.get(), &CToolManager::signalToolActivated, &refreshActions);
    QObject::connect(state.pRecognizerManager.get(), &CRecognizerManager::signalActiveRecognizerChanged,
                     &refreshActions);
    QObject::connect(state.pWorkspace.get(), &CWorkspace::signalCurrentTopicChanged, &refreshActions);
    QObject::connect(state.pWorkspace.get(), &CWorkspace::signalLeavingCurrentTopic, &finishWorkOnPage);

    // Registered objects may be widgets, which must go before the application object does.
    static bool s_bPostRoutineAdded = false;
    if (!s_bPostRoutineAdded && QCoreApplication::instance()) {
        qAddPostRoutine(&COrrery::shutdown);
        s_bPostRoutineAdded = true;
    }
}

void COrrery::shutdown()
{
    SHostState& state = host();
    // The GUI managers hold editors and bars that may refer to tools and actions: they go first.
    state.pPropertyEditorManager.reset();
    state.pContextbarManager.reset();
    state.pActionManager.reset();
    // Tools may hold ink on the board: they go before the board does.
    state.pToolManager.reset();
    // The undo stack holds components that are off the board; it goes before the pages.
    CControlLayer::reset();
    QObject::disconnect(state.liveDesktopConnection);
    state.pView.clear();
    state.pWorkspace.reset();
    state.pRecognizerManager.reset();
    state.pSelectionManager.reset();
    state.pMenu.clear();
    state.pSettings.reset();
    state.dLPToDPRatio = boardunits::c_dLPToDPRatio;
    CHostJournal::clear();
}

void COrrery::installGuiManagers(std::shared_ptr<CContextbarManager> pContextbarManager,
                                 std::shared_ptr<CPropertyEditorManager> pPropertyEditorManager)
{
    SHostState& state = host();
    state.pContextbarManager = std::move(pContextbarManager);
    state.pPropertyEditorManager = std::move(pPropertyEditorManager);
}
