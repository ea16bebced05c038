#include "orreryview.h"

#include "boardunits.h"
#include "component.h"
#include "iviewinputhandler.h"
#include "orrery.h"
#include "selectionmanager.h"
#include "topic.h"
#include "workclock.h"

#include <QGraphicsItem>
#include <QGraphicsScene>
#include <QMouseEvent>
#include <QTabletEvent>
#include <cmath>

COrreryView::COrreryView(QWidget* pParent) : QGraphicsView(pParent)
{
    // The page starts at the view's top-left corner: until the user scrolls, a view point is
    // the scene point scaled by the zoom, which is what tools and users expect of a board.
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setRenderHint(QPainter::Antialiasing);
    setZoom(1.0);
}

COrreryView::~COrreryView() = default;

void COrreryView::showTopic(CTopic* pTopic)
{
    if (scene())
        disconnect(scene(), &QObject::destroyed, this, nullptr);
    m_pTopic = pTopic;
    QGraphicsScene* pScene = pTopic ? pTopic->scene() : nullptr;
    setScene(pScene);
    if (pScene) {
        // A page may go while the view lives on (a host reset): the view must not keep it.
        connect(pScene, &QObject::destroyed, this, [this]() { m_pTopic = nullptr; });
        // The view keeps its centre across resizes and first shows the middle of a new scene;
        // centring on the corner pins the scene's top-left to the view's instead.
        centerOn(pScene->sceneRect().topLeft());
    }
    if (CSelectionManager* pSelection = COrrery::getSelectionManager())
        if (COrrery::getView() == this)
            pSelection->followScene(pScene);
}

double COrreryView::zoom() const
{
    return transform().m11() / boardunits::c_dDefaultViewScale;
}

void COrreryView::setZoom(double dZoom)
{
    if (!(dZoom > 0.0) || !std::isfinite(dZoom))
        return;
    const double dScale = dZoom * boardunits::c_dDefaultViewScale;
    if (transform() == QTransform::fromScale(dScale, dScale))
        return;
    setTransform(QTransform::fromScale(dScale, dScale));
    emit signalZoomChanged(zoom());
}

void COrreryView::drawBackground(QPainter* pPainter, const QRectF& rect)
{
    // Zoomed out, the page is smaller than the view: grey around it shows where the page ends, and
    // so what is saved and printed.
    pPainter->fillRect(rect, QColor(0x8c, 0x8f, 0x94));
    QGraphicsView::drawBackground(pPainter, rect & sceneRect());
}

void COrreryView::setLiveDesktopMode(bool bOn)
{
    if (bOn == m_bLiveDesktopMode)
        return;
    m_bLiveDesktopMode = bOn;
    emit signalLiveDesktopModeChanged(bOn);
}

QList<CComponent*> COrreryView::componentsAt(const QRectF& rect, QList<double>* pDepths,
                                             Qt::ItemSelectionMode eMode, bool bTopLevelOnly) const
{
    CWorkClock::CScope scope(CWorkClock::eSearch);
    QList<CComponent*> result;
    if (pDepths)
        pDepths->clear();
    if (!scene())
        return result;
    const QList<QGraphicsItem*> items = scene()->items(rect, eMode, Qt::AscendingOrder, transform());
    for (QGraphicsItem* pItem : items) {
        if (bTopLevelOnly && pItem->parentItem())
            continue;
        CComponent* pComponent = componentOf(pItem);
        if (!pComponent)
            continue;
        result.append(pComponent);
        if (pDepths)
            pDepths->append(pItem->zValue());
    }
    return result;
}

CComponent* COrreryView::componentOf(QGraphicsItem* pItem)
{
    return dynamic_cast<CComponent*>(pItem);
}

bool COrreryView::viewportEvent(QEvent* pEvent)
{
    switch (pEvent->type()) {
    case QEvent::TabletPress:
    case QEvent::TabletMove:
    case QEvent::TabletRelease:
        penAsMouse(static_cast<QTabletEvent*>(pEvent));
        return true;
    default:
        return QGraphicsView::viewportEvent(pEvent);
    }
}

void COrreryView::penAsMouse(QTabletEvent* pEvent)
{
    const QEvent::Type eType = pEvent->type() == QEvent::TabletPress     ? QEvent::MouseButtonPress
                               : pEvent->type() == QEvent::TabletRelease ? QEvent::MouseButtonRelease
                                                                         : QEvent::MouseMove;
    QMouseEvent mouse(eType, pEvent->posF(), pEvent->globalPosF(), pEvent->button(), pEvent->buttons(),
                      pEvent->modifiers());
    if (eType == QEvent::MouseButtonPress)
        mousePressEvent(&mouse);
    else if (eType == QEvent::MouseButtonRelease)
        mouseReleaseEvent(&mouse);
    else
        mouseMoveEvent(&mouse);
    // Unaccepted, the pen's event would come again as a mouse event and draw every stroke twice.
    pEvent->accept();
}

void COrreryView::mousePressEvent(QMouseEvent* pEvent)
{
    IViewInputHandler* pTool = COrrery::getViewInputHandler();
    if (pTool && pTool->onMousePress(pEvent))
        return;
    QGraphicsView::mousePressEvent(pEvent);
}

void COrreryView::mouseMoveEvent(QMouseEvent* pEvent)
{
    IViewInputHandler* pTool = COrrery::getViewInputHandler();
    if (pTool && pTool->onMouseMove(pEvent))
        return;
    QGraphicsView::mouseMoveEvent(pEvent);
}

void COrreryView::mouseReleaseEvent(QMouseEvent* pEvent)
{
    IViewInputHandler* pTool = COrrery::getViewInputHandler();
    if (pTool && pTool->onMouseRelease(pEvent))
        return;
    QGraphicsView::mouseReleaseEvent(pEvent);
}

void COrreryView::mouseDoubleClickEvent(QMouseEvent* pEvent)
{
    IViewInputHandler* pTool = COrrery::getViewInputHandler();
    if (pTool && pTool->onMouseDoubleClick(pEvent))
        return;
    QGraphicsView::mouseDoubleClickEvent(pEvent);
}
