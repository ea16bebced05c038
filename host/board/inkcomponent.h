// Ink on the board, type "ink": strokes kept in the "strokes" property (scene coordinates), drawn
// with the "pencolor" and "linewidth" properties.
#pragma once

#include "component.h"

#include <QGraphicsPathItem>

class CInkComponent : public QGraphicsPathItem, public CComponent
{
public:
    CInkComponent();

    static boost::shared_ptr<CComponent> make();

    QString getType() const override;
    QGraphicsItem* getGraphicsItem() override;

protected:
    void propertyChanged(const QString& strName, const QVariant& value) override;
};
