// Undoable move of components on the current page, all of them as one step: what the user dragged
// together comes back together. Undone or redone, it shows that page.
#pragma once

#include <QList>
#include <QPointF>
#include <QUndoCommand>

class CMoveCommand : public QUndoCommand
{
public:
    struct SMove
    {
        qint64 iComponentID;
        QPointF from;
        QPointF to;
    };

    explicit CMoveCommand(const QList<SMove>& moves);

    void redo() override;
    void undo() override;

private:
    void placeAll(bool bForward);

    qint64 m_iTopicID;
    QList<SMove> m_moves;
};
