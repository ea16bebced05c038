#include "toolaction.h"

#include "hostjournal.h"
#include "orrery.h"
#include "toolmanager.h"

CToolAction::CToolAction(const QString& strInternalName, const QIcon& icon, QObject* pParent)
    : CAction(strInternalName, icon, pParent)
{
    setCheckable(true);
}

CToolAction::~CToolAction()
{
    disconnectSignals();
}

void CToolAction::setToolName(const QString& strToolName)
{
    m_strToolName = strToolName;
    showChecked();
}

void CToolAction::connectSignals() const
{
    CToolManager* pManager = COrrery::getToolManager();
    if (!pManager || m_toolActivatedConnection)
        return;
    m_toolActivatedConnection =
        connect(pManager, &CToolManager::signalToolActivated, this, [this] { showChecked(); });
}

void CToolAction::disconnectSignals() const
{
    disconnect(m_toolActivatedConnection);
    m_toolActivatedConnection = QMetaObject::Connection();
}

bool CToolAction::isCheckedImpl() const
{
    const CToolManager* pManager = COrrery::getToolManager();
    const CTool* pTool = pManager ? pManager->getToolByName(m_strToolName) : nullptr;
    return pTool && pManager->getActiveTool() == pTool;
}

void CToolAction::exec(bool)
{
    CToolManager* pManager = COrrery::getToolManager();
    const bool bActivated = pManager && pManager->activate(m_strToolName);
    CHostJournal::record(
        QStringLiteral("CToolAction::exec %1 -> %2")
            .arg(m_strToolName, bActivated ? QStringLiteral("true") : QStringLiteral("false")));
    // Qt flipped the check mark on the click; only the tool manager's answer counts.
    showChecked();
}

void CToolAction::showChecked() const
{
    // Called from the const signal wiring of the action interface; the check mark is the QAction's
    // look, which follows the tool manager, not a state of this action.
    const_cast<CToolAction*>(this)->setChecked(isCheckedImpl());
}
