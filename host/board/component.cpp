#include "component.h"

#include "inkcomponent.h"
#include "picturecomponent.h"
#include "textcomponent.h"

#include <QGraphicsItem>
#include <QPointF>

namespace {

qint64 nextID()
{
    // Ids stay unique across host resets, so a command or a tool that still holds an old id can
    // never reach a component of the new board by mistake.
    static qint64 s_iNext = 1;
    return s_iNext++;
}

QHash<QString, CComponent::FFactory>& factories()
{
    static QHash<QString, CComponent::FFactory> s_factories;
    static bool s_bFilled = false;
    // Filled on first use rather than by static initialisers, whose order across the library is
    // unspecified; a replacement registered first must still hand back the built-in factory.
    if (!s_bFilled) {
        s_bFilled = true;
        s_factories.insert(QStringLiteral("text"), &CTextComponent::make);
        s_factories.insert(QStringLiteral("ink"), &CInkComponent::make);
        s_factories.insert(QStringLiteral("picture"), &CPictureComponent::make);
    }
    return s_factories;
}

} // namespace

CComponent::CComponent() : m_iID(nextID())
{
}

CComponent::~CComponent() = default;

boost::shared_ptr<CComponent> CComponent::create(const QString& strType)
{
    const FFactory pfnFactory = factories().value(strType, nullptr);
    return pfnFactory ? pfnFactory() : boost::shared_ptr<CComponent>();
}

CComponent::FFactory CComponent::registerFactory(const QString& strType, FFactory pfnFactory)
{
    QHash<QString, FFactory>& table = factories();
    const FFactory pfnPrevious = table.value(strType, nullptr);
    if (pfnFactory)
        table.insert(strType, pfnFactory);
    else
        table.remove(strType);
    return pfnPrevious;
}

bool CComponent::setPropertyValue(const QString& strName, const QVariant& value)
{
    if (strName.isEmpty())
        return false;
    if (!m_properties.contains(strName))
        m_propertyNames.append(strName);
    m_properties.insert(strName, value);
    propertyChanged(strName, value);
    return true;
}

bool CComponent::setPropertyValues(const QVector<QPair<QString, QVariant>>& values)
{
    bool bAll = true;
    QStringList names;
    names.reserve(values.size());
    for (const QPair<QString, QVariant>& value : values) {
        if (value.first.isEmpty()) {
            bAll = false;
            continue;
        }
        if (!m_properties.contains(value.first))
            m_propertyNames.append(value.first);
        if (!names.contains(value.first))
            names.append(value.first);
        m_properties.insert(value.first, value.second);
    }
    if (!names.isEmpty())
        propertiesChanged(names);
    return bAll;
}

QVariant CComponent::getPropertyValue(const QString& strName) const
{
    return m_properties.value(strName);
}

void CComponent::propertyChanged(const QString& strName, const QVariant& value)
{
    if (strName == QLatin1String("position")) {
        if (QGraphicsItem* pItem = getGraphicsItem())
            pItem->setPos(value.toPointF());
    }
}

void CComponent::propertiesChanged(const QStringList& names)
{
    for (const QString& strName : names)
        propertyChanged(strName, m_properties.value(strName));
}
