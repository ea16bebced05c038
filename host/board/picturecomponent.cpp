#include "picturecomponent.h"

#include "boardunits.h"

#include <QImage>
#include <QPixmap>
#include <boost/make_shared.hpp>

CPictureComponent::CPictureComponent()
{
    setFlags(QGraphicsItem::ItemIsSelectable | QGraphicsItem::ItemIsMovable);
    setTransformationMode(Qt::SmoothTransformation);
    // A picture's pixel is a screen pixel at the default zoom.
    setScale(boardunits::c_dUnitsPerPixel);
}

boost::shared_ptr<CComponent> CPictureComponent::make()
{
    return boost::make_shared<CPictureComponent>();
}

QString CPictureComponent::getType() const
{
    return QStringLiteral("picture");
}

QGraphicsItem* CPictureComponent::getGraphicsItem()
{
    return this;
}

void CPictureComponent::propertyChanged(const QString& strName, const QVariant& value)
{
    if (strName != QLatin1String("image")) {
        CComponent::propertyChanged(strName, value);
        return;
    }
    if (value.userType() == QMetaType::QPixmap)
        setPixmap(value.value<QPixmap>());
    else
        setPixmap(QPixmap::fromImage(value.value<QImage>()));
}
