#include "deletecommand.h"

#include "component.h"
#include "controllayer.h"
#include "orrery.h"
#include "topic.h"
#include "workspace.h"

#include <QCoreApplication>

CDeleteCommand::CDeleteCommand(const QList<qint64>& componentIDs) : m_componentIDs(componentIDs)
{
    CWorkspace* pWorkspace = COrrery::getWorkspace();
    m_iTopicID = pWorkspace && pWorkspace->getCurrentTopic() ? pWorkspace->getCurrentTopic()->getID() : -1;
    setText(QCoreApplication::translate("CDeleteCommand", "Delete"));
}

void CDeleteCommand::redo()
{
    m_removed.clear();
    CTopic* pTopic = CControlLayer::get()->showTopicOfStep(m_iTopicID);
    if (!pTopic)
        return;
    for (qint64 iID : m_componentIDs) {
        const int iIndex = pTopic->indexOf(iID);
        if (iIndex < 0)
            continue;
        m_removed.push_back(SRemoved{pTopic->removeComponent(iID), iIndex});
    }
}

void CDeleteCommand::undo()
{
    CTopic* pTopic = CControlLayer::get()->showTopicOfStep(m_iTopicID);
    if (!pTopic)
        return;
    // Each index was taken after the earlier removals; putting them back in reverse order makes
    // every index valid again at the moment it is used, and the page's order comes out as before.
    for (auto it = m_removed.rbegin(); it != m_removed.rend(); ++it)
        pTopic->addComponent(it->pComponent, it->iIndex);
    m_removed.clear();
}
