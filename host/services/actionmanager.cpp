#include "actionmanager.h"

#include "action.h"
#include "hostjournal.h"

#include <QWidget>
#include <algorithm>

CActionManager::CActionManager() = default;

CActionManager::~CActionManager()
{
    while (!m_actions.empty()) {
        m_actions.back()->disconnectSignals();
        m_actions.pop_back();
    }
}

int CActionManager::registerAction(const boost::shared_ptr<CAction>& pAction)
{
    int iResult = eRegistered;
    QString strName;
    if (!pAction)
        iResult = eNoAction;
    else if ((strName = pAction->getInternalName()).isEmpty())
        iResult = eNoInternalName;
    else if (getAction(strName))
        iResult = eNameTaken;

    CHostJournal::record(QStringLiteral("CActionManager::registerAction %1 -> %2").arg(strName).arg(iResult));
    if (iResult != eRegistered)
        return iResult;

    m_actions.push_back(pAction);
    pAction->connectSignals();
    updateAction(pAction.get());
    return eRegistered;
}

boost::shared_ptr<CAction> CActionManager::unregisterAction(const QString& strInternalName)
{
    boost::shared_ptr<CAction> pAction;
    const auto it =
        std::find_if(m_actions.begin(), m_actions.end(), [&](const boost::shared_ptr<CAction>& p) {
            return p->getInternalName() == strInternalName;
        });
    if (it != m_actions.end()) {
        pAction = *it;
        m_actions.erase(it);
        pAction->disconnectSignals();
        // A withdrawn action must not stay clickable in a menu or tool bar.
        const auto widgets = pAction->associatedWidgets();
        for (QWidget* pWidget : widgets)
            pWidget->removeAction(pAction.get());
    }
    CHostJournal::record(
        QStringLiteral("CActionManager::unregisterAction %1 -> %2")
            .arg(strInternalName, pAction ? QStringLiteral("action") : QStringLiteral("null")));
    return pAction;
}

CAction* CActionManager::getAction(const QString& strInternalName) const
{
    for (const auto& pAction : m_actions)
        if (pAction->getInternalName() == strInternalName)
            return pAction.get();
    return nullptr;
}

QStringList CActionManager::getActionNames() const
{
    QStringList names;
    for (const auto& pAction : m_actions)
        names.append(pAction->getInternalName());
    return names;
}

void CActionManager::updateActions()
{
    for (const auto& pAction : m_actions)
        updateAction(pAction.get());
}

void CActionManager::updateAction(CAction* pAction)
{
    const QString strLabel = pAction->getLabelText();
    if (!strLabel.isEmpty())
        pAction->setText(strLabel);
    // An entry that cannot be used now stays in its menu, greyed out, so the user sees it exists.
    pAction->setEnabled(pAction->isAvailable() && pAction->isEnabledImpl());
    if (pAction->isCheckable())
        pAction->setChecked(pAction->isCheckedImpl());
}
