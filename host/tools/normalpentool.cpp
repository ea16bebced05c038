#include "normalpentool.h"

#include "toolpropertynames.h"

#include <QObject>
#include <QPainter>
#include <QPainterPath>

CNormalPenTool::CNormalPenTool() : CPenTool(QString(), QPoint(-1, -1))
{
    // Every stroke is ink at once: nothing here waits for a pause or tells taps apart.
    enablePenEvents(false);
    setToolProperty(QLatin1String(toolproperty::c_szPenColor), QStringLiteral("normal;#FF000000"));
    setToolProperty(QLatin1String(toolproperty::c_szLineWidth), 3.0);
}

QString CNormalPenTool::getName() const
{
    return QStringLiteral("pen");
}

QString CNormalPenTool::getCategory()
{
    return QStringLiteral("pen");
}

QString CNormalPenTool::getLabel() const
{
    return QObject::tr("Pen");
}

QImage CNormalPenTool::getIconImage(EIconSize eSize) const
{
    return drawIcon(eSize, [](QPainter& painter, double dUnit) {
        // A pen lying from the top right to its tip at the bottom left.
        QPainterPath body;
        body.moveTo(11 * dUnit, 1 * dUnit);
        body.lineTo(15 * dUnit, 5 * dUnit);
        body.lineTo(5 * dUnit, 15 * dUnit);
        body.lineTo(1 * dUnit, 15 * dUnit);
        body.lineTo(1 * dUnit, 11 * dUnit);
        body.closeSubpath();
        painter.setPen(QPen(Qt::black, qMax(1.0, 0.75 * dUnit)));
        painter.setBrush(QColor(0x40, 0x60, 0xc0));
        painter.drawPath(body);
        painter.setBrush(Qt::black);
        painter.drawEllipse(QPointF(2.5 * dUnit, 13.5 * dUnit), 1.2 * dUnit, 1.2 * dUnit);
    });
}

QList<QString> CNormalPenTool::getPersistentProperties() const
{
    return {QLatin1String(toolproperty::c_szPenColor), QLatin1String(toolproperty::c_szLineWidth)};
}
