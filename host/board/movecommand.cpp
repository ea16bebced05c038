#include "movecommand.h"

#include "component.h"
#include "controllayer.h"
#include "orrery.h"
#include "topic.h"
#include "workspace.h"

#include <QCoreApplication>

CMoveCommand::CMoveCommand(const QList<SMove>& moves) : m_moves(moves)
{
    CWorkspace* pWorkspace = COrrery::getWorkspace();
    m_iTopicID = pWorkspace && pWorkspace->getCurrentTopic() ? pWorkspace->getCurrentTopic()->getID() : -1;
    setText(QCoreApplication::translate("CMoveCommand", "Move"));
}

void CMoveCommand::redo()
{
    placeAll(true);
}

void CMoveCommand::undo()
{
    placeAll(false);
}

void CMoveCommand::placeAll(bool bForward)
{
    CTopic* pTopic = CControlLayer::get()->showTopicOfStep(m_iTopicID);
    if (!pTopic)
        return;
    // Through the property, so that the position a component reports is where it is shown.
    for (const SMove& move : m_moves)
        if (CComponent* pComponent = pTopic->getComponent(move.iComponentID))
            pComponent->setPropertyValue(QStringLiteral("position"), bForward ? move.to : move.from);
}
