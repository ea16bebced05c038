// Undoable exchange of one component on a page for another, in the same place of the page's order
// and at the same depth.
#pragma once

#include <QUndoCommand>
#include <boost/shared_ptr.hpp>

class CComponent;

class CReplaceComponentCommand : public QUndoCommand
{
public:
    CReplaceComponentCommand(qint64 iTopicID, const boost::shared_ptr<CComponent>& pOld,
                             const boost::shared_ptr<CComponent>& pNew, const QString& strText);

    void redo() override;
    void undo() override;

private:
    void exchange(const boost::shared_ptr<CComponent>& pOut, const boost::shared_ptr<CComponent>& pIn);

    qint64 m_iTopicID;
    bool m_bDone = false;
    boost::shared_ptr<CComponent> m_pOld;
    boost::shared_ptr<CComponent> m_pNew;
};
