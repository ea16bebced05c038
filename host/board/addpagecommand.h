// Undoable new page: an empty page put in at a place in the board's order and shown.
#pragma once

#include <QUndoCommand>
#include <memory>

class CTopic;

class CAddPageCommand : public QUndoCommand
{
public:
    explicit CAddPageCommand(int iIndex);
    ~CAddPageCommand() override;

    void redo() override;
    void undo() override;

    // The new page's id, -1 before it was first put in.
    qint64 topicID() const { return m_iTopicID; }

private:
    int m_iIndex;
    qint64 m_iTopicID = -1;
    // The page shown before, shown again by undo.
    qint64 m_iShownBeforeID = -1;
    // The page while undone: it comes back as itself, since the steps after this one name it by its id.
    std::unique_ptr<CTopic> m_pTopic;
};
