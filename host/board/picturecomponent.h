// A picture on the board, type "picture": the image of its "image" property at its "position".
#pragma once

#include "component.h"

#include <QGraphicsPixmapItem>

class CPictureComponent : public QGraphicsPixmapItem, public CComponent
{
public:
    CPictureComponent();

    static boost::shared_ptr<CComponent> make();

    QString getType() const override;
    QGraphicsItem* getGraphicsItem() override;

protected:
    void propertyChanged(const QString& strName, const QVariant& value) override;
};
