#include "scribble.h"

#include <QPolygonF>

CScribble::CScribble() = default;

void CScribble::beginStroke(const QPointF& viewPoint, qint64 iTimeMs)
{
    if (m_strokes.isEmpty())
        m_iFirstTimeMs = iTimeMs;
    m_iLastTimeMs = iTimeMs;
    m_strokes.append(QVector<QPointF>{viewPoint});
}

void CScribble::addPoint(const QPointF& viewPoint, qint64 iTimeMs)
{
    if (m_strokes.isEmpty())
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
