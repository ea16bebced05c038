// A thing on the board: made by type name through the host's factories, identified by a number,
// described by named properties, shown by a graphics item.
#pragma once

#include <QHash>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <boost/shared_ptr.hpp>

class QGraphicsItem;

class CComponent
{
public:
    typedef boost::shared_ptr<CComponent> (*FFactory)();

    virtual ~CComponent();

    CComponent(const CComponent&) = delete;
    CComponent& operator=(const CComponent&) = delete;

    // A new component of the type; empty when no factory makes that type or the factory fails.
    static boost::shared_ptr<CComponent> create(const QString& strType);
    // Installs the factory for a type and answers the one it replaces (null if none).
    static FFactory registerFactory(const QString& strType, FFactory pfnFactory);

    qint64 getID() const { return m_iID; }
    virtual QString getType() const = 0;
    virtual QGraphicsItem* getGraphicsItem() = 0;

    // Sets the property directly (no command, no undo); the component shows the new value.
    bool setPropertyValue(const QString& strName, const QVariant& value);
    // Sets several properties, in order, and lets the component show them all at once: for a
    // component that is being made from a saved one, where one change after another would redo the
    // same work each time. The result is the same as setting them one by one. Empty names are
    // skipped; false when there were any.
    bool setPropertyValues(const QVector<QPair<QString, QVariant>>& values);
    QVariant getPropertyValue(const QString& strName) const;
    QStringList getPropertyNames() const { return m_propertyNames; }

protected:
    CComponent();
    // Called after each change of a property, for the component to show it.
    virtual void propertyChanged(const QString& strName, const QVariant& value);
    // Called once after setPropertyValues, with the names in the order they were set (a name set
    // twice comes once); by default propertyChanged for each with its value now.
    virtual void propertiesChanged(const QStringList& names);

private:
    qint64 m_iID;
    QStringList m_propertyNames;
    QHash<QString, QVariant> m_properties;
};
