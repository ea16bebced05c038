// The open board: its pages, in order, and the current one.
#pragma once

#include "topic.h"

#include <QObject>
#include <QTimer>
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
    // Adds a new page at the end; the current page stays current.
    CTopic* addTopic();
    void setCurrentTopic(CTopic* pTopic);

    int topicCount() const { return static_cast<int>(m_topics.size()); }
    // The page at iIndex in the board's order, null out of range.
    CTopic* topicAt(int iIndex) const;
    // The page's place in the board's order, -1 when it is not a page of this board.
    int indexOf(const CTopic* pTopic) const;
    // Puts the page in at iIndex (clamped to the pages there are); the current page stays current.
    CTopic* insertTopic(int iIndex, std::unique_ptr<CTopic> pTopic);
    // Takes the page at iIndex off the board and hands it over; null out of range. The last page of a
    // board is never taken: a board always shows a page. When the current page goes, the one that
    // takes its place (or the one before it, at the end) becomes current.
    std::unique_ptr<CTopic> takeTopic(int iIndex);
    // Moves the page at iFrom to iTo; false when either is out of range.
    bool moveTopic(int iFrom, int iTo);
    // Puts these pages in place of all the board's pages (an empty list gives one empty page) and
    // makes the first current. Whoever shows the old pages lets go of them at signalTopicsReset; they
    // are deleted once control is back in the event loop (or with the workspace), so that the new
    // board is on the screen before a large old one is taken apart.
    void replaceTopics(std::vector<std::unique_ptr<CTopic>> topics);
    // Tells whoever works on the current page that it is about to stop being current (see
    // signalLeavingCurrentTopic); for a change that will make another page current later on.
    void leaveCurrentTopic();

signals:
    // The current page is about to change or go: whatever is unfinished on it (a box open for typing,
    // writing that waits for its pause) is finished now, while it is still the page shown.
    void signalLeavingCurrentTopic(CTopic* pTopic);
    void signalCurrentTopicChanged(CTopic* pTopic);
    // The board's list of pages changed: a page came, went or moved.
    void signalTopicsChanged();
    // All pages were replaced (a board was opened or a new one begun).
    void signalTopicsReset();

private:
    std::vector<std::unique_ptr<CTopic>> m_topics;
    CTopic* m_pCurrent = nullptr;
    // Pages of a board that was replaced, waiting to be deleted.
    std::vector<std::unique_ptr<CTopic>> m_retired;
    QTimer m_retireTimer;
};
