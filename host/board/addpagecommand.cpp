#include "addpagecommand.h"

#include "controllayer.h"
#include "orrery.h"
#include "topic.h"
#include "workspace.h"

#include <QCoreApplication>

CAddPageCommand::CAddPageCommand(int iIndex) : m_iIndex(iIndex)
{
    setText(QCoreApplication::translate("CAddPageCommand", "New Page"));
}

CAddPageCommand::~CAddPageCommand() = default;

void CAddPageCommand::redo()
{
    CWorkspace* pWorkspace = COrrery::getWorkspace();
    if (!pWorkspace)
        return;
    if (m_iTopicID < 0)
        m_pTopic = std::make_unique<CTopic>();
    if (!m_pTopic)
        return;
    m_iShownBeforeID = pWorkspace->getCurrentTopic() ? pWorkspace->getCurrentTopic()->getID() : -1;
    CControlLayer::get()->whileStepRuns([&] {
        CTopic* pTopic = pWorkspace->insertTopic(m_iIndex, std::move(m_pTopic));
        if (!pTopic)
            return;
        m_iTopicID = pTopic->getID();
        pWorkspace->setCurrentTopic(pTopic);
    });
}

void CAddPageCommand::undo()
{
    CWorkspace* pWorkspace = COrrery::getWorkspace();
    CTopic* pTopic = pWorkspace && m_iTopicID >= 0 ? pWorkspace->getTopic(m_iTopicID) : nullptr;
    if (!pTopic)
        return;
    CControlLayer::get()->whileStepRuns([&] {
        // The page shown before comes first, so that the one going is no longer current when it goes.
        if (CTopic* pShownBefore = m_iShownBeforeID >= 0 ? pWorkspace->getTopic(m_iShownBeforeID) : nullptr)
            pWorkspace->setCurrentTopic(pShownBefore);
        m_pTopic = pWorkspace->takeTopic(pWorkspace->indexOf(pTopic));
    });
}
