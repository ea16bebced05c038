// What hears of a piece of writing stroke by stroke, while the pen tool still collects it: the
// recognizer's side, which reads the writing ahead so that its readings are ready once the pause ends.
#pragma once

#include <QPointF>
#include <QVector>

class IWritingObserver
{
public:
    virtual ~IWritingObserver() = default;
    // A stroke of writing ended; strokes is the writing so far, in scene coordinates.
    virtual void writingPaused(const QVector<QVector<QPointF>>& strokes) = 0;
    // Another stroke began: the writing is not finished yet.
    virtual void writingGoesOn() = 0;
};
