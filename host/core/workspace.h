// The open board: its pages and the current one.
#pragma once

#include <QtGlobal>
#include <memory>
#include <vector>

class CTopic;

class CWorkspace
{
public:
    CWorkspace();
    ~CWorkspace();

    CWorkspace(const CWorkspace&) = delete;
    CWorkspace& operator=(const CWorkspace&) = delete;

    CTopic* getCurrentTopic() const { return m_pCurrent; }
    // A topic id of -1 means the current page.
    CTopic* getTopic(qint64 iTopicID) const;
    CTopic* addTopic();
    void setCurrentTopic(CTopic* pTopic);
    int topicCount() const { return static_cast<int>(m_topics.size()); }

private:
    std::vector<std::unique_ptr<CTopic>> m_topics;
    CTopic* m_pCurrent = nullptr;
};
