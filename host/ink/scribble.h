// The ink of one piece of writing: its strokes in view coordinates, in the order written, with the
// time each point was taken.
#pragma once

#include "nrect.h"

#include <QPointF>
#include <QVector>

class CScribble
{
public:
    CScribble();

    // Points that are not numbers or lie beyond a billion pixels are left out.
    void beginStroke(const QPointF& viewPoint, qint64 iTimeMs);
    // Adds to the stroke begun last; ignored before the first stroke.
    void addPoint(const QPointF& viewPoint, qint64 iTimeMs);

    const QVector<QVector<QPointF>>& strokes() const { return m_strokes; }
    int strokeCount() const { return m_strokes.size(); }
    int pointCount() const;
    bool isEmpty() const { return m_strokes.isEmpty(); }

    // The smallest integer rectangle of view pixels that holds every point; empty without points.
    CNRect getRectBound() const;
    // Milliseconds from the first point to the last.
    qint64 duration() const;

private:
    QVector<QVector<QPointF>> m_strokes;
    qint64 m_iFirstTimeMs = 0;
    qint64 m_iLastTimeMs = 0;
};
