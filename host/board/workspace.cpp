#include "workspace.h"

#include "topic.h"

#include <algorithm>

CWorkspace::CWorkspace()
{
    m_retireTimer.setSingleShot(true);
    // Long enough for the window to show the new board first.
    m_retireTimer.setInterval(100);
    connect(&m_retireTimer, &QTimer::timeout, this, [this] { m_retired.clear(); });
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
    return insertTopic(topicCount(), std::make_unique<CTopic>());
}

void CWorkspace::setCurrentTopic(CTopic* pTopic)
{
    // Only a page of this board can be current; anything else would dangle once it is gone.
    if (pTopic != m_pCurrent && indexOf(pTopic) >= 0) {
        leaveCurrentTopic();
        // Finishing may itself have shown another page, or taken this one away.
        if (pTopic == m_pCurrent || indexOf(pTopic) < 0)
            return;
        m_pCurrent = pTopic;
        emit signalCurrentTopicChanged(pTopic);
    }
}

CTopic* CWorkspace::topicAt(int iIndex) const
{
    return iIndex >= 0 && iIndex < topicCount() ? m_topics[static_cast<size_t>(iIndex)].get() : nullptr;
}

int CWorkspace::indexOf(const CTopic* pTopic) const
{
    for (size_t i = 0; i < m_topics.size(); ++i)
        if (m_topics[i].get() == pTopic)
            return static_cast<int>(i);
    return -1;
}

CTopic* CWorkspace::insertTopic(int iIndex, std::unique_ptr<CTopic> pTopic)
{
    if (!pTopic || indexOf(pTopic.get()) >= 0)
        return nullptr;
    CTopic* pInserted = pTopic.get();
    const int iAt = std::clamp(iIndex, 0, topicCount());
    m_topics.insert(m_topics.begin() + iAt, std::move(pTopic));
    emit signalTopicsChanged();
    return pInserted;
}

std::unique_ptr<CTopic> CWorkspace::takeTopic(int iIndex)
{
    if (iIndex < 0 || iIndex >= topicCount() || topicCount() == 1)
        return nullptr;
    if (CTopic* pAsked = topicAt(iIndex); pAsked == m_pCurrent) {
        leaveCurrentTopic();
        // Finishing may have changed the pages; the one asked for is taken wherever it is now.
        iIndex = indexOf(pAsked);
        if (iIndex < 0 || topicCount() == 1)
            return nullptr;
    }
    std::unique_ptr<CTopic> pTaken = std::move(m_topics[static_cast<size_t>(iIndex)]);
    m_topics.erase(m_topics.begin() + iIndex);
    // The board must never point at a page it no longer holds, so the current page changes before
    // anyone hears that the list did.
    if (pTaken.get() == m_pCurrent) {
        m_pCurrent = topicAt(std::min(iIndex, topicCount() - 1));
        emit signalCurrentTopicChanged(m_pCurrent);
    }
    emit signalTopicsChanged();
    return pTaken;
}

bool CWorkspace::moveTopic(int iFrom, int iTo)
{
    if (!topicAt(iFrom) || !topicAt(iTo))
        return false;
    if (iFrom == iTo)
        return true;
    std::unique_ptr<CTopic> pMoved = std::move(m_topics[static_cast<size_t>(iFrom)]);
    m_topics.erase(m_topics.begin() + iFrom);
    m_topics.insert(m_topics.begin() + iTo, std::move(pMoved));
    emit signalTopicsChanged();
    return true;
}

void CWorkspace::replaceTopics(std::vector<std::unique_ptr<CTopic>> topics)
{
    topics.erase(std::remove(topics.begin(), topics.end(), nullptr), topics.end());
    if (topics.empty())
        topics.push_back(std::make_unique<CTopic>());
    leaveCurrentTopic();
    for (std::unique_ptr<CTopic>& pOld : m_topics)
        m_retired.push_back(std::move(pOld));
    m_topics = std::move(topics);
    m_pCurrent = m_topics.front().get();
    emit signalTopicsReset();
    emit signalCurrentTopicChanged(m_pCurrent);
    emit signalTopicsChanged();
    m_retireTimer.start();
}

void CWorkspace::leaveCurrentTopic()
{
    if (m_pCurrent)
        emit signalLeavingCurrentTopic(m_pCurrent);
}
