#include "insertcommand.h"

#include "component.h"
#include "orrery.h"
#include "topic.h"
#include "workspace.h"

namespace {

CTopic* topicOf(qint64 iTopicID)
{
    CWorkspace* pWorkspace = COrrery::getWorkspace();
    return pWorkspace ? pWorkspace->getTopic(iTopicID) : nullptr;
}

} // namespace

CInsertCommand::CInsertCommand(const boost::shared_ptr<CComponent>& pComponent, qint64 iTopicID, int iIndex)
    : m_pComponent(pComponent), m_iTopicID(iTopicID), m_iIndex(iIndex)
{
    setText(QStringLiteral("Insert %1").arg(pComponent ? pComponent->getType() : QString()));
}

void CInsertCommand::redo()
{
    if (CTopic* pTopic = topicOf(m_iTopicID))
        pTopic->addComponent(m_pComponent, m_iIndex);
}

void CInsertCommand::undo()
{
    if (CTopic* pTopic = topicOf(m_iTopicID))
        pTopic->removeComponent(componentID());
}

qint64 CInsertCommand::componentID() const
{
    return m_pComponent ? m_pComponent->getID() : -1;
}
