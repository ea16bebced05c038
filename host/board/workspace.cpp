#include "workspace.h"

#include "topic.h"

CWorkspace::CWorkspace()
{
    m_pCurrent = addTopic();
}

CWorkspace::~CWorkspace() = default;

CTopic* CWorkspace::getTopic(qint64 iTopicID) const
{
    if (iTopicID == -1)
        return m_pCurrent;
    for (const std::unique_ptr<CTopic>& pTopic : m_topics)
        if (pTopic->getID() == iTopicID)
            return pTopic.get();
    return nullptr;
}

CTopic* CWorkspace::addTopic()
{
    m_topics.push_back(std::make_unique<CTopic>());
    return m_topics.back().get();
}

void CWorkspace::setCurrentTopic(CTopic* pTopic)
{
    // Only a page of this board can be current; anything else would dangle once it is gone.
    for (const std::unique_ptr<CTopic>& pOwned : m_topics) {
        if (pOwned.get() == pTopic && pTopic != m_pCurrent) {
            m_pCurrent = pTopic;
            emit signalCurrentTopicChanged(pTopic);
        }
    }
}
