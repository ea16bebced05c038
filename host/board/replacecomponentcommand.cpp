#include "replacecomponentcommand.h"

#include "component.h"
#include "controllayer.h"
#include "orrery.h"
#include "topic.h"
#include "workspace.h"

#include <QGraphicsItem>

CReplaceComponentCommand::CReplaceComponentCommand(qint64 iTopicID, const boost::shared_ptr<CComponent>& pOld,
                                                   const boost::shared_ptr<CComponent>& pNew,
                                                   const QString& strText)
    : QUndoCommand(strText), m_iTopicID(iTopicID), m_pOld(pOld), m_pNew(pNew)
{
}

void CReplaceComponentCommand::redo()
{
    // The first run is the user's own act on the page shown; a redo shows the page it changes.
    if (m_bDone)
        CControlLayer::get()->showTopicOfStep(m_iTopicID);
    m_bDone = true;
    exchange(m_pOld, m_pNew);
}

void CReplaceComponentCommand::undo()
{
    CControlLayer::get()->showTopicOfStep(m_iTopicID);
    exchange(m_pNew, m_pOld);
}

void CReplaceComponentCommand::exchange(const boost::shared_ptr<CComponent>& pOut,
                                        const boost::shared_ptr<CComponent>& pIn)
{
    CWorkspace* pWorkspace = COrrery::getWorkspace();
    CTopic* pTopic = pWorkspace ? pWorkspace->getTopic(m_iTopicID) : nullptr;
    const int iIndex = pTopic && pOut && pIn ? pTopic->indexOf(pOut->getID()) : -1;
    if (iIndex < 0)
        return;
    // The depth of the one going out fits between its neighbours, so the page keeps it as it is.
    pIn->getGraphicsItem()->setZValue(pOut->getGraphicsItem()->zValue());
    pTopic->removeComponent(pOut->getID());
    pTopic->addComponent(pIn, iIndex);
}
