// Undoable change of one property of one component on the current page; undone or redone, it
// shows that page.
#pragma once

#include <QString>
#include <QUndoCommand>
#include <QVariant>

class CUpdatePropertyCommand : public QUndoCommand
{
public:
    CUpdatePropertyCommand(qint64 iComponentID, const QString& strProperty, const QVariant& value,
                           bool bMergeable);

    void redo() override;
    void undo() override;
    int id() const override;
    bool mergeWith(const QUndoCommand* pOther) override;

    // What the user calls the property in "Change ..." ("font colour" for "fontcolor"); a property
    // without a name of its own is called by the name it has.
    static QString propertyLabel(const QString& strProperty);

    qint64 componentID() const { return m_iComponentID; }
    QString property() const { return m_strProperty; }
    QVariant value() const { return m_value; }

private:
    qint64 m_iTopicID;
    qint64 m_iComponentID;
    QString m_strProperty;
    QVariant m_value;
    QVariant m_previous;
    bool m_bMergeable;
    bool m_bFirstRedo = true;
};
