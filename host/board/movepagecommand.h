// Undoable move of a page to another place in the board's order; the moved page is shown.
#pragma once

#include <QUndoCommand>

class CMovePageCommand : public QUndoCommand
{
public:
    CMovePageCommand(int iFrom, int iTo);

    void redo() override;
    void undo() override;

private:
    void move(int iFrom, int iTo);

    int m_iFrom;
    int m_iTo;
};
