#include "scribble.h"

#include <QPolygonF>
#include <cmath>

namespace {

// Recorded ink may hold points that no screen has: not numbers, or so far out that the integer
// bounds of the writing would overflow. Such points are left out.
bool isUsable(const QPointF& point)
{
    const double c_dLimit = 1.0e9;
    return std::isfinite(point.x()) && std::isfinite(point.y()) && std::fabs(point.x()) <= c_dLimit &&
           std::fabs(point.y()) <= c_dLimit;
}

} // namespace

CScribble::CScribble() = default;

void CScribble::beginStroke(const QPointF& viewPoint, qint64 iTimeMs)
{
    if (m_strokes.isEmpty())
        m_iFirstTimeMs = iTimeMs;
    m_iLastTimeMs = iTimeMs;
    m_strokes.append(isUsable(viewPoint) ? QVector<QPointF>{viewPoint} : QVector<QPointF>());
}

void CScribble::addPoint(const QPointF& viewPoint, qint64 iTimeMs)
{
    if (m_strokes.isEmpty() || !isUsable(viewPoint))
        return;
    m_strokes.last().append(viewPoint);
    m_iLastTimeMs = iTimeMs;
}

int CScribble::pointCount() const
{
    int iCount = 0;
    for (const QVector<QPointF>& stroke : m_strokes)
        iCount += stroke.size();
    return iCount;
}

CNRect CScribble::getRectBound() const
{
    QPolygonF points;
    for (const QVector<QPointF>& stroke : m_strokes)
        points += QPolygonF(stroke);
    if (points.isEmpty())
        return CNRect();
    // Rounded outwards: a point between pixels must not fall outside the rectangle.
    return CNRect(points.boundingRect().toAlignedRect());
}

qint64 CScribble::duration() const
{
    return m_iLastTimeMs - m_iFirstTimeMs;
}
