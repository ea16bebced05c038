#include "zoomcontroller.h"

#include "boardunits.h"
#include "orreryview.h"

#include <QAction>
#include <QGraphicsScene>
#include <QLabel>
#include <QMenu>
#include <QNativeGestureEvent>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

namespace {

// The steps of Zoom In and Zoom Out, the ones people know from other programs.
const double c_aSteps[] = {0.25, 1.0 / 3.0, 0.5, 2.0 / 3.0, 0.75, 1.0, 1.25, 1.5, 2.0, 3.0, 4.0};
// A zoom this close to a step counts as the step: a step of 1/3 never comes back exactly.
const double c_dSameStep = 1e-6;
// One notch of a mouse wheel (120 eighths of a degree) zooms by this factor; a touchpad's finer
// scrolling zooms by as much of it as it turns.
const double c_dWheelNotchFactor = 1.2;
// The wheel's zoom lands on a step it comes this close to, so that 100 % is met again on the way back.
const double c_dSnapToStep = 0.02;

// The zoom the wheel goes to from dFrom: dTo, or the step ahead of dFrom that dTo all but reached.
double wheelZoom(double dFrom, double dTo)
{
    for (double dStep : c_aSteps)
        if ((dTo > dFrom ? dStep > dFrom : dStep < dFrom) && std::abs(dTo / dStep - 1.0) < c_dSnapToStep)
            return dStep;
    return dTo;
}

} // namespace

CZoomController::CZoomController(COrreryView* pView, QWidget* pWindow)
    : QObject(pWindow), m_pView(pView), m_pViewport(pView->viewport()),
      m_pMenu(new QMenu(tr("&Zoom"), pWindow))
{
    QAction* pIn = addAction(tr("Zoom &In"), &CZoomController::zoomIn);
    // Ctrl++ needs Shift on most keyboards; Ctrl+= is the same key without it.
    pIn->setShortcuts({QKeySequence::ZoomIn, QKeySequence(Qt::CTRL + Qt::Key_Equal)});
    addAction(tr("Zoom &Out"), &CZoomController::zoomOut)->setShortcut(QKeySequence::ZoomOut);
    addAction(tr("&Actual Size"), &CZoomController::resetZoom)
        ->setShortcut(QKeySequence(Qt::CTRL + Qt::Key_0));
    addAction(tr("&Fit Page"), &CZoomController::fitPage);
    m_pView->viewport()->installEventFilter(this);
}

QAction* CZoomController::addAction(const QString& strText, void (CZoomController::*pSlot)())
{
    QAction* pAction = m_pMenu->addAction(strText, this, pSlot);
    m_actions.append(pAction);
    return pAction;
}

double CZoomController::stepAbove(double dZoom)
{
    for (double dStep : c_aSteps)
        if (dStep > dZoom * (1.0 + c_dSameStep))
            return dStep;
    return c_dMaxZoom;
}

double CZoomController::stepBelow(double dZoom)
{
    for (auto it = std::rbegin(c_aSteps); it != std::rend(c_aSteps); ++it)
        if (*it < dZoom * (1.0 - c_dSameStep))
            return *it;
    return c_dMinZoom;
}

QString CZoomController::zoomText(double dZoom)
{
    return tr("%1 %").arg(qRound(dZoom * 100.0));
}

QPointF CZoomController::viewCentre() const
{
    return QRectF(m_pView->viewport()->rect()).center();
}

void CZoomController::zoomIn()
{
    zoomAbout(stepAbove(m_pView->zoom()), viewCentre());
}

void CZoomController::zoomOut()
{
    zoomAbout(stepBelow(m_pView->zoom()), viewCentre());
}

void CZoomController::resetZoom()
{
    zoomAbout(1.0, viewCentre());
}

void CZoomController::fitPage()
{
    const QGraphicsScene* pScene = m_pView->scene();
    if (!pScene || pScene->sceneRect().isEmpty())
        return;
    // The room the page has once it fits: the scroll bars go then.
    const QSizeF room = m_pView->maximumViewportSize();
    const QSizeF page = pScene->sceneRect().size() * boardunits::c_dDefaultViewScale;
    const double dFit = std::min(room.width() / page.width(), room.height() / page.height());
    // Rounded down to a tenth of a percent, so that rounding never brings a scroll bar back.
    zoomAbout(std::floor(dFit * 1000.0) / 1000.0, QPointF());
    m_pView->centerOn(pScene->sceneRect().center());
}

void CZoomController::zoomAbout(double dZoom, const QPointF& viewPoint)
{
    if (!std::isfinite(dZoom))
        return;
    const QPointF boardPoint = m_pView->viewportTransform().inverted().map(viewPoint);
    m_pView->setZoom(std::clamp(dZoom, c_dMinZoom, c_dMaxZoom));
    // The view scrolls by whole pixels; in a right-to-left layout its horizontal bar runs backwards.
    const QPointF drift = m_pView->viewportTransform().map(boardPoint) - viewPoint;
    QScrollBar* pHorizontal = m_pView->horizontalScrollBar();
    pHorizontal->setValue(pHorizontal->value() + qRound(m_pView->isRightToLeft() ? -drift.x() : drift.x()));
    m_pView->verticalScrollBar()->setValue(m_pView->verticalScrollBar()->value() + qRound(drift.y()));
}

QLabel* CZoomController::createZoomLabel(QWidget* pParent) const
{
    auto* pLabel = new QLabel(zoomText(m_pView->zoom()), pParent);
    pLabel->setObjectName(QStringLiteral("zoom"));
    pLabel->setToolTip(tr("Zoom of the board"));
    connect(m_pView, &COrreryView::signalZoomChanged, pLabel,
            [pLabel](double dZoom) { pLabel->setText(zoomText(dZoom)); });
    return pLabel;
}

bool CZoomController::eventFilter(QObject* pObject, QEvent* pEvent)
{
    if (pObject != m_pViewport)
        return false;
    if (pEvent->type() == QEvent::Wheel) {
        auto* pWheel = static_cast<QWheelEvent*>(pEvent);
        // Without Ctrl the wheel scrolls the board, as everywhere else.
        if (!(pWheel->modifiers() & Qt::ControlModifier))
            return false;
        const QPoint delta = pWheel->angleDelta();
        const int iEighths = delta.y() != 0 ? delta.y() : delta.x();
        const double dZoom = m_pView->zoom();
        zoomAbout(wheelZoom(dZoom, dZoom * std::pow(c_dWheelNotchFactor, iEighths / 120.0)),
                  pWheel->position());
        pWheel->accept();
        return true;
    }
    if (pEvent->type() == QEvent::NativeGesture) {
        auto* pGesture = static_cast<QNativeGestureEvent*>(pEvent);
        if (pGesture->gestureType() != Qt::ZoomNativeGesture)
            return false;
        zoomAbout(m_pView->zoom() * (1.0 + pGesture->value()), pGesture->localPos());
        pGesture->accept();
        return true;
    }
    return false;
}
