// Ink on the board, type "ink": strokes kept in the "strokes" property (scene coordinates), drawn
// with the "pencolor" and "linewidth" properties.
#pragma once

#include "component.h"

#include <QGraphicsPathItem>
#include <QPointF>
#include <QVariantList>
#include <QVector>

class CInkComponent : public QGraphicsPathItem, public CComponent
{
public:
    CInkComponent();

    static boost::shared_ptr<CComponent> make();
    // Strokes in scene coordinates as the "strokes" property keeps them.
    static QVariantList strokeList(const QVector<QVector<QPointF>>& strokes);

    QString getType() const override;
    QGraphicsItem* getGraphicsItem() override;

protected:
    void propertyChanged(const QString& strName, const QVariant& value) override;
};
