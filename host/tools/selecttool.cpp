#include "selecttool.h"

#include "component.h"
#include "controllayer.h"
#include "edittexthelper.h"
#include "orrery.h"
#include "orreryview.h"
#include "selectionmanager.h"
#include "topic.h"

#include <QGraphicsItem>
#include <QGraphicsScene>
#include <QMouseEvent>
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

bool CSelectTool::onMousePress(QMouseEvent* pEvent)
{
    // The board view selects (by a click, or by a band dragged from the empty board) and drags the
    // selection by itself; what it cannot do is make the drag a step the user can take back.
    m_bDragging = pEvent->button() == Qt::LeftButton;
    m_dragStart.clear();
    return false;
}

bool CSelectTool::onMouseMove(QMouseEvent* pEvent)
{
    CSelectionManager* pSelection = COrrery::getSelectionManager();
    // By the first move the press has settled what is selected, and the view has not moved it yet.
    if (!m_bDragging || !m_dragStart.isEmpty() || !(pEvent->buttons() & Qt::LeftButton) || !pSelection)
        return false;
    for (CComponent* pComponent : pSelection->selectedComponents())
        if (pComponent->getGraphicsItem()->flags() & QGraphicsItem::ItemIsMovable)
            m_dragStart.insert(pComponent->getID(), pComponent->getGraphicsItem()->pos());
    return false;
}

bool CSelectTool::onMouseRelease(QMouseEvent*)
{
    QList<CMoveCommand::SMove> moves;
    COrreryView* pView = view();
    for (auto it = m_dragStart.cbegin(); pView && pView->topic() && it != m_dragStart.cend(); ++it)
        if (CComponent* pComponent = pView->topic()->getComponent(it.key()))
            moves.append({it.key(), it.value(), pComponent->getGraphicsItem()->pos()});
    m_bDragging = false;
    m_dragStart.clear();
    CControlLayer::get()->invokeMoveCommand(moves);
    return false;
}

bool CSelectTool::onMouseDoubleClick(QMouseEvent* pEvent)
{
    COrreryView* pView = view();
    if (!pView || pEvent->button() != Qt::LeftButton)
        return false;
    for (QGraphicsItem* pItem : pView->items(pEvent->pos()))
        if (CComponent* pComponent = COrreryView::componentOf(pItem))
            return pComponent->getType() == QLatin1String("text") &&
                   CEditTextHelper().startEditText(pComponent);
    return false;
}

void CSelectTool::activate(bool bFlag)
{
    CTool::activate(bFlag);
    COrreryView* pView = view();
    QGraphicsScene* pScene = pView ? pView->scene() : nullptr;
    if (!pScene)
        return;
    pView->setDragMode(QGraphicsView::RubberBandDrag);
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
    // Other tools take the drags on the board for themselves.
    if (COrreryView* pView = view())
        pView->setDragMode(QGraphicsView::NoDrag);
    CTool::deactivate(bFlag);
}
