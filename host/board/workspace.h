// The open board: its pages and the current one.
#pragma once

#include "topic.h"

#include <QObject>
#include <memory>
#include <vector>

class CWorkspace : public QObject
{
    Q_OBJECT

public:
    CWorkspace();
    ~CWorkspace() override;

    CWorkspace(const CWorkspace&) = delete;
    CWorkspace& operator=(const CWorkspace&) = delete;

    CTopic* getCurrentTopic() const { return m_pCurrent; }
    // A topic id of -1 means the current page.
    CTopic* getTopic(qint64 iTopicID) const;
    CTopic* addTopic();
    void setCurrentTopic(CTopic* pTopic);

signals:
    void signalCurrentTopicChanged(CTopic* pTopic);

private:
    std::vector<std::unique_ptr<CTopic>> m_topics;
    CTopic* m_pCurrent = nullptr;
};
