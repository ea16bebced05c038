#include "laserpentool.h"

#include "laserpointeroverlay.h"
#include "orreryview.h"

#include <QMouseEvent>
#include <QObject>
#include <QPainter>

CLaserPenTool::CLaserPenTool() = default;

CLaserPenTool::~CLaserPenTool()
{
    delete m_pPointer;
}

CLaserPointerOverlay* CLaserPenTool::pointer() const
{
    return m_pPointer;
}

QString CLaserPenTool::getName() const
{
    return QStringLiteral("laserpen");
}

QString CLaserPenTool::getLabel() const
{
    return QObject::tr("Laser Pen");
}

QImage CLaserPenTool::getIconImage(EIconSize eSize) const
{
    return drawIcon(eSize, [](QPainter& painter, double dUnit) {
        // A red dot in its glow.
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(255, 0, 0, 70));
        painter.drawEllipse(QPointF(8 * dUnit, 8 * dUnit), 7 * dUnit, 7 * dUnit);
        painter.setBrush(QColor(230, 0, 0));
        painter.drawEllipse(QPointF(8 * dUnit, 8 * dUnit), 3.5 * dUnit, 3.5 * dUnit);
    });
}

QCursor CLaserPenTool::getNormalCursor() const
{
    // The dot is the pointer.
    return QCursor(Qt::BlankCursor);
}

bool CLaserPenTool::onMousePress(QMouseEvent* pEvent)
{
    return point(pEvent, true);
}

bool CLaserPenTool::onMouseMove(QMouseEvent* pEvent)
{
    return point(pEvent, pEvent->buttons() != Qt::NoButton);
}

bool CLaserPenTool::onMouseRelease(QMouseEvent* pEvent)
{
    return point(pEvent, false);
}

bool CLaserPenTool::onMouseDoubleClick(QMouseEvent* pEvent)
{
    return point(pEvent, true);
}

void CLaserPenTool::activate(bool bFlag)
{
    CTool::activate(bFlag);
    COrreryView* pView = view();
    if (!pView || m_pPointer)
        return;
    m_pPointer = new CLaserPointerOverlay(pView->viewport());
    // The dot follows a pen that hovers as well as one that touches.
    m_bViewTracked = pView->viewport()->hasMouseTracking();
    pView->viewport()->setMouseTracking(true);
}

void CLaserPenTool::deactivate(bool bFlag)
{
    if (m_pPointer) {
        m_pPointer->parentWidget()->setMouseTracking(m_bViewTracked);
        delete m_pPointer;
    }
    CTool::deactivate(bFlag);
}

bool CLaserPenTool::point(QMouseEvent* pEvent, bool bPressed)
{
    if (m_pPointer)
        m_pPointer->pointAt(pEvent->localPos(), bPressed);
    pEvent->accept();
    return true;
}
