#include "picturecomponent.h"

#include <QImage>
#include <QPixmap>
#include <boost/make_shared.hpp>

CPictureComponent::CPictureComponent()
{
    setFlags(QGraphicsItem::ItemIsSelectable | QGraphicsItem::ItemIsMovable);
    setTransformationMode(Qt::SmoothTransformation);
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
