// How a piece of writing lies on the board: its lines top to bottom, the strokes of each, and whether
// it is one word, one line of words or several lines. The recognizer reads it with the matching
// segmentation, so that writing on two lines comes back as two lines.
#pragma once

#include <QPointF>
#include <QRectF>
#include <QVector>

class CInkLayout
{
public:
    enum ELayout
    {
        eEmpty,
        eWord,
        eLine,
        eBlock
    };

    explicit CInkLayout(const QVector<QVector<QPointF>>& strokes);

    ELayout layout() const { return m_eLayout; }
    int lineCount() const { return m_lines.size(); }
    // Indexes of the strokes of each line, top to bottom, left to right within a line.
    const QVector<QVector<int>>& lines() const { return m_lines; }
    // The typical height of a line's strokes in the ink's own units; 0 without ink.
    double lineHeight() const { return m_dLineHeight; }
    // The bounds of every usable point; empty without ink.
    QRectF bounds() const { return m_bounds; }

    // Points that are not numbers or lie beyond this are not ink.
    static bool isUsable(const QPointF& point);
    // The bounds of the usable points, which may have no width or height (a dot); false without any.
    static bool boundsOf(const QVector<QPointF>& points, QRectF& bounds);
    static bool boundsOf(const QVector<QVector<QPointF>>& strokes, QRectF& bounds);

private:
    void findLines(const QVector<QRectF>& strokeBounds, QVector<int> used);
    bool hasWordGap(const QVector<QRectF>& strokeBounds, const QVector<int>& line) const;

    ELayout m_eLayout = eEmpty;
    QVector<QVector<int>> m_lines;
    double m_dLineHeight = 0.0;
    QRectF m_bounds;
};
