// Undoable removal of a page with everything on it; undo puts it back at its place and shows it.
#pragma once

#include <QUndoCommand>
#include <memory>

class CTopic;

class CDeletePageCommand : public QUndoCommand
{
public:
    explicit CDeletePageCommand(qint64 iTopicID);
    ~CDeletePageCommand() override;

    void redo() override;
    void undo() override;

private:
    qint64 m_iTopicID;
    int m_iIndex = -1;
    // The page, with its components, while it is off the board.
    std::unique_ptr<CTopic> m_pTopic;
};
