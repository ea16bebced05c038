#include "controllayer.h"

#include "component.h"
#include "deletecommand.h"
#include "insertcommand.h"
#include "orrery.h"
#include "topic.h"
#include "updatepropertycommand.h"
#include "workclock.h"
#include "workspace.h"

#include <QUndoStack>
#include <memory>

namespace {

std::unique_ptr<CControlLayer>& instance()
{
    static std::unique_ptr<CControlLayer> s_pLayer;
    return s_pLayer;
}

CTopic* currentTopic()
{
    CWorkspace* pWorkspace = COrrery::getWorkspace();
    return pWorkspace ? pWorkspace->getCurrentTopic() : nullptr;
}

} // namespace

CControlLayer::CControlLayer() : m_pUndoStack(new QUndoStack())
{
}

CControlLayer::~CControlLayer()
{
    delete m_pUndoStack;
}

CControlLayer* CControlLayer::get()
{
    std::unique_ptr<CControlLayer>& pLayer = instance();
    if (!pLayer)
        pLayer.reset(new CControlLayer());
    return pLayer.get();
}

void CControlLayer::reset()
{
    instance().reset();
}

CToolManager* CControlLayer::getToolManager() const
{
    return COrrery::getToolManager();
}

CSelectionManager* CControlLayer::getSelectionManager() const
{
    return COrrery::getSelectionManager();
}

bool CControlLayer::invokeInsertCommand(const boost::shared_ptr<CComponent>& pComponent, qint64 iTopicID,
                                        int iIndex)
{
    CWorkClock::CScope scope(CWorkClock::eCommand);
    CWorkspace* pWorkspace = COrrery::getWorkspace();
    CTopic* pTopic = pWorkspace ? pWorkspace->getTopic(iTopicID) : nullptr;
    if (!pComponent || !pComponent->getGraphicsItem() || !pTopic || pTopic->indexOf(pComponent->getID()) >= 0)
        return false;
    // The command names the page itself: an undo after a change of page must still reach it.
    m_pUndoStack->push(new CInsertCommand(pComponent, pTopic->getID(), iIndex));
    return pTopic->indexOf(pComponent->getID()) >= 0;
}

bool CControlLayer::invokeUpdatePropertyCommand(qint64 iComponentID, const QString& strProperty,
                                                const QVariant& value, bool bMergeWithPrevious)
{
    CWorkClock::CScope scope(CWorkClock::eCommand);
    CTopic* pTopic = currentTopic();
    if (!pTopic || !pTopic->getComponent(iComponentID) || strProperty.isEmpty())
        return false;
    m_pUndoStack->push(new CUpdatePropertyCommand(iComponentID, strProperty, value, bMergeWithPrevious));
    return true;
}

bool CControlLayer::invokeDeleteCommand(const QList<qint64>& componentIDs)
{
    CTopic* pTopic = currentTopic();
    if (!pTopic)
        return false;
    QList<qint64> present;
    for (qint64 iID : componentIDs)
        if (pTopic->indexOf(iID) >= 0 && !present.contains(iID))
            present.append(iID);
    // An empty step would make the user press undo once for nothing.
    if (present.isEmpty())
        return false;
    m_pUndoStack->push(new CDeleteCommand(present));
    return true;
}

bool CControlLayer::invokeMoveCommand(const QList<CMoveCommand::SMove>& moves)
{
    CTopic* pTopic = currentTopic();
    if (!pTopic)
        return false;
    QList<CMoveCommand::SMove> real;
    for (const CMoveCommand::SMove& move : moves)
        if (move.from != move.to && pTopic->getComponent(move.iComponentID))
            real.append(move);
    // A click without a drag moves nothing and leaves no step behind.
    if (real.isEmpty())
        return false;
    m_pUndoStack->push(new CMoveCommand(real));
    return true;
}
