// One pen event as the pen-tool base hands it to its listener: where it happened on the view and on
// the board.
#pragma once

#include <QPoint>
#include <QPointF>

class CMouseEventPoint
{
public:
    CMouseEventPoint() = default;
    CMouseEventPoint(const QPoint& viewPos, const QPointF& scenePos)
        : m_viewPos(viewPos), m_scenePos(scenePos)
    {
    }

    QPoint pos() const { return m_viewPos; }
    QPointF scenePos() const { return m_scenePos; }

private:
    QPoint m_viewPos;
    QPointF m_scenePos;
};
