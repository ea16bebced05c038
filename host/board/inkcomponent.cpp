#include "inkcomponent.h"

#include "penbase.h"
#include "penfactory.h"
#include "toolpropertynames.h"

#include <QPainterPath>
#include <QPen>
#include <boost/make_shared.hpp>

namespace {

const double c_dDefaultWidth = 3.0;

QPen inkPen(const QVariant& penValue, const QVariant& widthValue)
{
    QColor color = penValue.userType() == QMetaType::QColor ? penValue.value<QColor>() : QColor();
    if (!color.isValid()) {
        const boost::shared_ptr<CPenBase> pPen = CPenFactory::createPen(penValue.toString());
        color = pPen ? pPen->getColor() : QColor(Qt::black);
    }
    bool bOk = false;
    double dWidth = widthValue.toDouble(&bOk);
    if (!bOk || dWidth <= 0.0)
        dWidth = c_dDefaultWidth;
    // Writing has no corners: round ends and joins keep a fast stroke from looking jagged.
    return QPen(color, dWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

} // namespace

CInkComponent::CInkComponent()
{
    setFlags(QGraphicsItem::ItemIsSelectable | QGraphicsItem::ItemIsMovable);
    setPen(inkPen(QVariant(), QVariant()));
}

boost::shared_ptr<CComponent> CInkComponent::make()
{
    return boost::make_shared<CInkComponent>();
}

QVariantList CInkComponent::strokeList(const QVector<QVector<QPointF>>& strokes)
{
    QVariantList strokeList;
    for (const QVector<QPointF>& stroke : strokes) {
        QVariantList points;
        for (const QPointF& point : stroke)
            points.append(point);
        strokeList.append(QVariant(points));
    }
    return strokeList;
}

QString CInkComponent::getType() const
{
    return QStringLiteral("ink");
}

QGraphicsItem* CInkComponent::getGraphicsItem()
{
    return this;
}

void CInkComponent::propertyChanged(const QString& strName, const QVariant& value)
{
    if (strName == QLatin1String("strokes")) {
        QPainterPath path;
        for (const QVariant& stroke : value.toList()) {
            const QVariantList points = stroke.toList();
            if (points.isEmpty())
                continue;
            const QPointF start = points.first().toPointF();
            path.moveTo(start);
            bool bMoved = false;
            for (int i = 1; i < points.size(); ++i) {
                const QPointF point = points.at(i).toPointF();
                bMoved = bMoved || point != start;
                path.lineTo(point);
            }
            // A stroke that never left its point is a dot. A path drops a line to the point it is
            // already at, so the dot is a line too short to see, and its round caps draw it.
            if (!bMoved)
                path.lineTo(start + QPointF(0.01, 0.0));
        }
        setPath(path);
    } else if (strName == QLatin1String(toolproperty::c_szPenColor) ||
               strName == QLatin1String(toolproperty::c_szLineWidth)) {
        setPen(inkPen(getPropertyValue(QLatin1String(toolproperty::c_szPenColor)),
                      getPropertyValue(QLatin1String(toolproperty::c_szLineWidth))));
    } else {
        CComponent::propertyChanged(strName, value);
    }
}
