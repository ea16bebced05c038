// Undoable removal of components from the current page; undone or redone, it shows that page.
#pragma once

#include <QList>
#include <QUndoCommand>
#include <boost/shared_ptr.hpp>
#include <vector>

class CComponent;

class CDeleteCommand : public QUndoCommand
{
public:
    explicit CDeleteCommand(const QList<qint64>& componentIDs);

    void redo() override;
    void undo() override;

private:
    struct SRemoved
    {
        boost::shared_ptr<CComponent> pComponent;
        int iIndex;
    };

    qint64 m_iTopicID;
    QList<qint64> m_componentIDs;
    std::vector<SRemoved> m_removed;
};
