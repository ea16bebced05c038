// Undoable insertion of a component into a page.
#pragma once

#include <QUndoCommand>
#include <boost/shared_ptr.hpp>

class CComponent;

class CInsertCommand : public QUndoCommand
{
public:
    CInsertCommand(const boost::shared_ptr<CComponent>& pComponent, qint64 iTopicID, int iIndex);

    void redo() override;
    void undo() override;

    qint64 componentID() const;
    const boost::shared_ptr<CComponent>& component() const { return m_pComponent; }

private:
    boost::shared_ptr<CComponent> m_pComponent;
    qint64 m_iTopicID;
    int m_iIndex;
    // Undone or redone later, the step shows its page first; the first time, it is put where it was asked.
    bool m_bDone = false;
};
