// Draws a piece of writing as a recognizer sees it: black anti-aliased strokes on white, 8-bit grey,
// scaled so that a line of writing has about the same height whatever the board's zoom, and never
// larger than a fixed size (wider ink is scaled down instead).
#pragma once

#include <QImage>
#include <QPointF>
#include <QVector>

class CInkRenderer
{
public:
    static constexpr int c_iMaxWidth = 3000;
    static constexpr int c_iMaxHeight = 1200;

    // Pixels of a line of writing, of the pen, and of white around the ink.
    void setLineHeight(double dPixels) { m_dLineHeight = dPixels; }
    void setPenWidth(double dPixels) { m_dPenWidth = dPixels; }
    void setPadding(int iPixels) { m_iPadding = iPixels; }

    // How far the writing's upright strokes lean: sideways movement per unit of downward movement,
    // positive when they lean to the right (y grows downwards).
    static double slant(const QVector<QVector<QPointF>>& strokes);
    // The strokes sheared so that strokes leaning by dSlant stand upright.
    static QVector<QVector<QPointF>> sheared(const QVector<QVector<QPointF>>& strokes, double dSlant);

    // dInkLineHeight is the height of a line of this ink in its own units. A null image without ink.
    QImage render(const QVector<QVector<QPointF>>& strokes, double dInkLineHeight) const;

private:
    double m_dLineHeight = 40.0;
    double m_dPenWidth = 3.0;
    int m_iPadding = 16;
};
