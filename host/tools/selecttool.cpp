#include "selecttool.h"

#include "component.h"
#include "orrery.h"
#include "orreryview.h"
#include "selectionmanager.h"

#include <QGraphicsItem>
#include <QGraphicsScene>
#include <QObject>
#include <QPainter>
#include <QPainterPath>

QString CSelectTool::getName() const
{
    return QStringLiteral("select");
}

QString CSelectTool::getCategory()
{
    return QStringLiteral("select");
}

QString CSelectTool::getLabel() const
{
    return QObject::tr("Select");
}

QImage CSelectTool::getIconImage(EIconSize eSize) const
{
    return drawIcon(eSize, [](QPainter& painter, double dUnit) {
        QPainterPath arrow;
        arrow.moveTo(3 * dUnit, 1 * dUnit);
        arrow.lineTo(3 * dUnit, 13 * dUnit);
        arrow.lineTo(6 * dUnit, 10 * dUnit);
        arrow.lineTo(8.5 * dUnit, 15 * dUnit);
        arrow.lineTo(10.5 * dUnit, 14 * dUnit);
        arrow.lineTo(8 * dUnit, 9 * dUnit);
        arrow.lineTo(12 * dUnit, 9 * dUnit);
        arrow.closeSubpath();
        painter.setPen(QPen(Qt::black, qMax(1.0, dUnit * 0.75)));
        painter.setBrush(Qt::white);
        painter.drawPath(arrow);
    });
}

bool CSelectTool::onMousePress(QMouseEvent*)
{
    // The board view selects and moves items by itself; this tool only has to stay out of its way.
    return false;
}

void CSelectTool::activate(bool bFlag)
{
    CTool::activate(bFlag);
    COrreryView* pView = view();
    QGraphicsScene* pScene = pView ? pView->scene() : nullptr;
    if (!pScene)
        return;
    for (QGraphicsItem* pItem : pScene->items()) {
        CComponent* pComponent = COrreryView::componentOf(pItem);
        if (!pComponent)
            continue;
        pItem->setFlag(QGraphicsItem::ItemIsSelectable, true);
        // A locked box stays where it is.
        pItem->setFlag(QGraphicsItem::ItemIsMovable,
                       !pComponent->getPropertyValue(QStringLiteral("locked")).toBool());
    }
}

void CSelectTool::deactivate(bool bFlag)
{
    if (CSelectionManager* pSelection = COrrery::getSelectionManager())
        pSelection->clearSelection();
    CTool::deactivate(bFlag);
}
