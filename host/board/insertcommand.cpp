#include "insertcommand.h"

#include "component.h"
#include "controllayer.h"
#include "orrery.h"
#include "topic.h"
#include "workspace.h"

#include <QCoreApplication>

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
    // Ink is what the user drew; everything else was put on the board.
    const QString strType = pComponent ? pComponent->getType() : QString();
    setText(strType == QLatin1String("ink") ? QCoreApplication::translate("CInsertCommand", "Draw")
            : strType == QLatin1String("text")
                ? QCoreApplication::translate("CInsertCommand", "Insert text")
                : QCoreApplication::translate("CInsertCommand", "Insert %1").arg(strType));
}

void CInsertCommand::redo()
{
    CTopic* pTopic = m_bDone ? CControlLayer::get()->showTopicOfStep(m_iTopicID) : topicOf(m_iTopicID);
    m_bDone = true;
    if (pTopic)
        pTopic->addComponent(m_pComponent, m_iIndex);
}

void CInsertCommand::undo()
{
    if (CTopic* pTopic = CControlLayer::get()->showTopicOfStep(m_iTopicID))
        pTopic->removeComponent(componentID());
}

qint64 CInsertCommand::componentID() const
{
    return m_pComponent ? m_pComponent->getID() : -1;
}
