#include "deletepagecommand.h"

#include "controllayer.h"
#include "orrery.h"
#include "topic.h"
#include "workspace.h"

#include <QCoreApplication>

CDeletePageCommand::CDeletePageCommand(qint64 iTopicID) : m_iTopicID(iTopicID)
{
    setText(QCoreApplication::translate("CDeletePageCommand", "Delete Page"));
}

CDeletePageCommand::~CDeletePageCommand() = default;

void CDeletePageCommand::redo()
{
    CWorkspace* pWorkspace = COrrery::getWorkspace();
    const int iIndex = pWorkspace ? pWorkspace->indexOf(pWorkspace->getTopic(m_iTopicID)) : -1;
    if (iIndex < 0)
        return;
    CControlLayer::get()->whileStepRuns([&] {
        m_pTopic = pWorkspace->takeTopic(iIndex);
        m_iIndex = iIndex;
    });
}

void CDeletePageCommand::undo()
{
    CWorkspace* pWorkspace = COrrery::getWorkspace();
    if (!pWorkspace || !m_pTopic)
        return;
    CControlLayer::get()->whileStepRuns([&] {
        if (CTopic* pTopic = pWorkspace->insertTopic(m_iIndex, std::move(m_pTopic)))
            pWorkspace->setCurrentTopic(pTopic);
    });
}
