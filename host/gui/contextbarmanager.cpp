#include "contextbarmanager.h"

#include "contextbarinterface.h"
#include "hostjournal.h"
#include "tool.h"
#include "toolmanager.h"

#include <QAction>
#include <QMainWindow>
#include <QTimer>
#include <algorithm>

CContextbarManager::CContextbarManager() = default;

CContextbarManager::~CContextbarManager()
{
    // Another owner may keep a bar alive: the window must not be left holding it.
    for (const SEntry& entry : m_bars)
        undock(entry.pBar.get());
    while (!m_bars.empty())
        m_bars.pop_back();
}

bool CContextbarManager::registerContextbar(const boost::shared_ptr<CContextbarInterface>& pBar,
                                            bool bShownByHost)
{
    const QString strName = pBar ? pBar->getName() : QString();
    const bool bAccepted = pBar && !strName.isEmpty() && !getContextbar(strName);
    if (bAccepted)
        m_bars.push_back({strName, pBar, bShownByHost});
    CHostJournal::record(QStringLiteral("CContextbarManager::registerContextbar %1 %2 -> %3")
                             .arg(strName, bShownByHost ? QStringLiteral("true") : QStringLiteral("false"),
                                  bAccepted ? QStringLiteral("true") : QStringLiteral("false")));
    if (!bAccepted)
        return false;
    // The window's own menu of bars hides or shows one through this action too.
    connect(pBar->toggleViewAction(), &QAction::triggered, this,
            [this, strName](bool bShown) { setHiddenByUser(strName, !bShown); });
    // A bar that arrives while its tool is already active must not wait for the next activation; it
    // is told once its plug-in has finished registering what the bar needs.
    QTimer::singleShot(0, this, [this, strName] {
        const auto it = std::find_if(m_bars.begin(), m_bars.end(),
                                     [&strName](const SEntry& entry) { return entry.strName == strName; });
        if (it != m_bars.end() && m_pToolManager && m_pToolManager->getActiveTool()) {
            const SEntry entry = *it;
            tellSelection(entry, m_pToolManager->getActiveTool()->getName(), true);
        }
    });
    return true;
}

bool CContextbarManager::unregisterContextbar(const QString& strName, bool bHide)
{
    const auto it = std::find_if(m_bars.begin(), m_bars.end(),
                                 [&strName](const SEntry& entry) { return entry.strName == strName; });
    const bool bFound = it != m_bars.end();
    if (bFound) {
        const boost::shared_ptr<CContextbarInterface> pBar = it->pBar;
        m_bars.erase(it);
        m_initialised.erase(std::remove(m_initialised.begin(), m_initialised.end(), pBar.get()),
                            m_initialised.end());
        if (bHide)
            pBar->hide();
        undock(pBar.get());
    }
    CHostJournal::record(QStringLiteral("CContextbarManager::unregisterContextbar %1 %2 -> %3")
                             .arg(strName, bHide ? QStringLiteral("true") : QStringLiteral("false"),
                                  bFound ? QStringLiteral("true") : QStringLiteral("false")));
    return bFound;
}

CContextbarInterface* CContextbarManager::getContextbar(const QString& strName) const
{
    for (const SEntry& entry : m_bars)
        if (entry.strName == strName)
            return entry.pBar.get();
    return nullptr;
}

QStringList CContextbarManager::getContextbarNames() const
{
    QStringList names;
    for (const SEntry& entry : m_bars)
        names.append(entry.strName);
    return names;
}

bool CContextbarManager::isShownByHost(const QString& strName) const
{
    for (const SEntry& entry : m_bars)
        if (entry.strName == strName)
            return entry.bShownByHost;
    return false;
}

void CContextbarManager::watchTools(CToolManager* pToolManager)
{
    if (m_pToolManager)
        disconnect(m_pToolManager, nullptr, this, nullptr);
    m_pToolManager = pToolManager;
    if (!pToolManager)
        return;
    connect(pToolManager, &CToolManager::signalToolDeactivated, this,
            &CContextbarManager::slotToolDeactivated);
    connect(pToolManager, &CToolManager::signalToolActivated, this, &CContextbarManager::slotToolActivated);
    connect(pToolManager, &CToolManager::signalToolSettingsChanged, this,
            &CContextbarManager::slotToolSettingsChanged);
}

void CContextbarManager::setHostWindow(QMainWindow* pWindow)
{
    if (pWindow == m_pWindow)
        return;
    for (const SEntry& entry : m_bars)
        undock(entry.pBar.get());
    m_pWindow = pWindow;
    if (!pWindow)
        return;
    // Bars hear of tools only while a window can show them: they catch up with the active one.
    if (m_pToolManager && m_pToolManager->getActiveTool()) {
        const std::vector<SEntry> bars = m_bars;
        for (const SEntry& entry : bars)
            tellSelection(entry, m_pToolManager->getActiveTool()->getName(), true);
    }
    for (const SEntry& entry : m_bars)
        if (entry.bShownByHost && entry.pBar->isToolSelected()) {
            prepare(entry.pBar.get());
            showOrHide(entry);
        }
}

void CContextbarManager::setHiddenByUser(const QString& strName, bool bHidden)
{
    const bool bChanged = bHidden != isHiddenByUser(strName);
    if (bChanged && bHidden)
        m_hiddenByUser.append(strName);
    else if (bChanged)
        m_hiddenByUser.removeAll(strName);
    // Even an unchanged choice is applied: the bar's own toggle action has shown or hidden it already,
    // whether or not its tool is selected.
    for (const SEntry& entry : m_bars)
        if (entry.strName == strName && entry.bShownByHost && m_pWindow)
            showOrHide(entry);
    if (bChanged)
        emit signalHiddenByUserChanged(m_hiddenByUser);
}

void CContextbarManager::setHiddenByUser(const QStringList& names)
{
    for (const QString& strName : getContextbarNames() + m_hiddenByUser + names)
        setHiddenByUser(strName, names.contains(strName));
}

void CContextbarManager::showOrHide(const SEntry& entry)
{
    CContextbarInterface* pBar = entry.pBar.get();
    if (pBar->isToolSelected() && !isHiddenByUser(entry.strName)) {
        prepare(pBar);
        pBar->show();
    } else if (pBar->parentWidget() == m_pWindow) {
        pBar->hide();
    }
}

void CContextbarManager::prepare(CContextbarInterface* pBar)
{
    if (std::find(m_initialised.begin(), m_initialised.end(), pBar) == m_initialised.end()) {
        m_initialised.push_back(pBar);
        pBar->initialize(m_pWindow);
    }
    // Named for the window's own menus, which list its bars by their titles.
    pBar->setWindowTitle(pBar->getDisplayName());
    if (pBar->parentWidget() == m_pWindow && m_pWindow->toolBarArea(pBar) == Qt::BottomToolBarArea)
        return;
    // The window keeps the state of its bars by their object names.
    if (pBar->objectName().isEmpty())
        pBar->setObjectName(pBar->getName());
    m_pWindow->addToolBar(Qt::BottomToolBarArea, pBar);
    // Hidden on purpose: a child not hidden so would appear with the window when it opens.
    pBar->hide();
}

void CContextbarManager::undock(CContextbarInterface* pBar)
{
    if (!m_pWindow || pBar->parentWidget() != m_pWindow)
        return;
    m_pWindow->removeToolBar(pBar);
    pBar->setParent(nullptr);
}

void CContextbarManager::tellSelection(const SEntry& entry, const QString& strTool, bool bSelected)
{
    // Without a window there is nowhere to show a bar, and nothing to tell it.
    if (!m_pWindow)
        return;
    CContextbarInterface* pBar = entry.pBar.get();
    // Initialised no earlier than the first tool change, which comes after the plug-ins' set-up: a
    // plug-in registers its bar before the editors the bar asks for. Initialised before it is told, so
    // that it fills the editors it has just made.
    if (entry.bShownByHost)
        prepare(pBar);
    // The answer says whether the bar's selected state changed; the state itself says where it goes.
    if (!pBar->toolSelectionStateChanged(strTool, bSelected) || !entry.bShownByHost)
        return;
    showOrHide(entry);
}

void CContextbarManager::slotToolActivated(const QString& strTool)
{
    // A copy: a bar may register or withdraw bars while it is told.
    std::vector<SEntry> bars = m_bars;
    for (SEntry& entry : bars)
        tellSelection(entry, strTool, true);
}

void CContextbarManager::slotToolDeactivated(const QString& strTool)
{
    std::vector<SEntry> bars = m_bars;
    for (SEntry& entry : bars)
        tellSelection(entry, strTool, false);
}

void CContextbarManager::slotToolSettingsChanged(const QString& strTool)
{
    // The bars show the active tool's settings; they read them again when it is announced once more.
    if (!m_pToolManager || !m_pToolManager->getActiveTool() ||
        m_pToolManager->getActiveTool()->getName() != strTool)
        return;
    std::vector<SEntry> bars = m_bars;
    for (SEntry& entry : bars)
        tellSelection(entry, strTool, true);
}
