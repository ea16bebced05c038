// The point sequence the handwriting model reads, made from a word or line of strokes exactly as the
// training made it: resampled along the pen's path, sized by the writing's core, stood upright, one
// row of (dx, dy, y, pen-down start) a point. The training's ink.py does the same steps; the two must
// change together.
#pragma once

#include <QPointF>
#include <QVector>
#include <vector>

class CInkFeatures
{
public:
    static constexpr int c_iFeatures = 4;
    // The distance between points, in core sizes.
    static constexpr double c_dStep = 0.25;

    // Rows of c_iFeatures values, pen order kept; empty without usable ink.
    static std::vector<float> compute(const QVector<QVector<QPointF>>& strokes, double dStep = c_dStep);
    // Points every dStep along the stroke's path, its first point kept, its last when the remainder
    // is worth a point.
    static QVector<QPointF> resample(const QVector<QPointF>& stroke, double dStep);
    // The writing's core size: the spread between the quartiles of y along the path, never less than
    // a quarter of the ink's height.
    static double coreSize(const QVector<QVector<QPointF>>& strokes,
                           QVector<QVector<QPointF>>* pFine = nullptr);
    // How far the writing leans: dx per dy of its near-vertical pieces, between -1 and 1.
    static double slant(const QVector<QVector<QPointF>>& fine);
};
