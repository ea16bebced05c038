#include "inklayout.h"

#include "orderstatistics.h"

#include <algorithm>
#include <cmath>

namespace {

// A line's band: the mean top and bottom of its tall strokes, which ascenders and descenders of
// single letters move little.
struct SLine
{
    QVector<int> strokes;
    double dTopSum = 0.0;
    double dBottomSum = 0.0;
    int iTall = 0;

    double top() const { return dTopSum / iTall; }
    double bottom() const { return dBottomSum / iTall; }
    double centre() const { return (top() + bottom()) / 2.0; }
    void addTall(int iStroke, const QRectF& bounds)
    {
        strokes.append(iStroke);
        dTopSum += bounds.top();
        dBottomSum += bounds.bottom();
        ++iTall;
    }
};

} // namespace

bool CInkLayout::isUsable(const QPointF& point)
{
    const double c_dLimit = 1.0e9;
    return std::isfinite(point.x()) && std::isfinite(point.y()) && std::fabs(point.x()) <= c_dLimit &&
           std::fabs(point.y()) <= c_dLimit;
}

bool CInkLayout::boundsOf(const QVector<QPointF>& points, QRectF& bounds)
{
    double dLeft = 0, dTop = 0, dRight = 0, dBottom = 0;
    bool bAny = false;
    for (const QPointF& point : points) {
        if (!isUsable(point))
            continue;
        if (!bAny) {
            dLeft = dRight = point.x();
            dTop = dBottom = point.y();
            bAny = true;
        }
        dLeft = std::min(dLeft, point.x());
        dRight = std::max(dRight, point.x());
        dTop = std::min(dTop, point.y());
        dBottom = std::max(dBottom, point.y());
    }
    if (bAny)
        bounds = QRectF(QPointF(dLeft, dTop), QPointF(dRight, dBottom));
    return bAny;
}

bool CInkLayout::boundsOf(const QVector<QVector<QPointF>>& strokes, QRectF& bounds)
{
    bool bAny = false;
    QRectF strokeBounds;
    for (const QVector<QPointF>& stroke : strokes) {
        if (!boundsOf(stroke, strokeBounds))
            continue;
        // QRectF::united() drops rectangles without area, and a dot has none.
        bounds = bAny ? QRectF(QPointF(std::min(bounds.left(), strokeBounds.left()),
                                       std::min(bounds.top(), strokeBounds.top())),
                               QPointF(std::max(bounds.right(), strokeBounds.right()),
                                       std::max(bounds.bottom(), strokeBounds.bottom())))
                      : strokeBounds;
        bAny = true;
    }
    return bAny;
}

CInkLayout::CInkLayout(const QVector<QVector<QPointF>>& strokes)
{
    QVector<QRectF> strokeBounds(strokes.size());
    QVector<int> inked;
    for (int i = 0; i < strokes.size(); ++i)
        if (boundsOf(strokes[i], strokeBounds[i]))
            inked.append(i);
    if (inked.isEmpty())
        return;
    boundsOf(strokes, m_bounds);
    findLines(strokeBounds, inked);
    if (m_lines.size() > 1)
        m_eLayout = eBlock;
    else
        m_eLayout = hasWordGap(strokeBounds, m_lines.first()) ? eLine : eWord;
}

void CInkLayout::findLines(const QVector<QRectF>& strokeBounds, QVector<int> used)
{
    double dTallest = 0.0;
    for (int iStroke : used)
        dTallest = std::max(dTallest, strokeBounds[iStroke].height());
    // Dots, accents and crossings are too small to say where a line is; they join a line afterwards.
    const double dSmall = dTallest * 0.3;
    std::sort(used.begin(), used.end(),
              [&](int a, int b) { return strokeBounds[a].center().y() < strokeBounds[b].center().y(); });

    QVector<SLine> lines;
    QVector<int> small;
    for (int iStroke : used) {
        const QRectF& bounds = strokeBounds[iStroke];
        if (bounds.height() < dSmall) {
            small.append(iStroke);
            continue;
        }
        // A stroke belongs to the line whose band it overlaps most, if by a quarter of its height.
        int iBest = -1;
        double dBestOverlap = 0.0;
        for (int i = 0; i < lines.size(); ++i) {
            const double dOverlap =
                std::min(bounds.bottom(), lines[i].bottom()) - std::max(bounds.top(), lines[i].top());
            if (dOverlap >= 0.0 && dOverlap >= bounds.height() * 0.25 &&
                (iBest < 0 || dOverlap > dBestOverlap)) {
                iBest = i;
                dBestOverlap = dOverlap;
            }
        }
        if (iBest < 0) {
            lines.append(SLine());
            iBest = lines.size() - 1;
        }
        lines[iBest].addTall(iStroke, bounds);
    }
    if (lines.isEmpty()) {
        // Nothing but small marks: they make one line.
        lines.append(SLine());
        for (int iStroke : small)
            lines[0].addTall(iStroke, strokeBounds[iStroke]);
        small.clear();
    }
    for (int iStroke : small) {
        const double dCentre = strokeBounds[iStroke].center().y();
        int iBest = 0;
        for (int i = 1; i < lines.size(); ++i)
            if (std::fabs(lines[i].centre() - dCentre) < std::fabs(lines[iBest].centre() - dCentre))
                iBest = i;
        lines[iBest].strokes.append(iStroke);
    }
    std::sort(lines.begin(), lines.end(),
              [](const SLine& a, const SLine& b) { return a.centre() < b.centre(); });

    QVector<double> lineHeights;
    for (SLine& line : lines) {
        std::sort(line.strokes.begin(), line.strokes.end(),
                  [&](int a, int b) { return strokeBounds[a].left() < strokeBounds[b].left(); });
        double dLineTop = strokeBounds[line.strokes.first()].top();
        double dLineBottom = strokeBounds[line.strokes.first()].bottom();
        for (int iStroke : line.strokes) {
            dLineTop = std::min(dLineTop, strokeBounds[iStroke].top());
            dLineBottom = std::max(dLineBottom, strokeBounds[iStroke].bottom());
        }
        lineHeights.append(dLineBottom - dLineTop);
        m_lines.append(line.strokes);
    }
    m_dLineHeight = median(lineHeights);
}

bool CInkLayout::hasWordGap(const QVector<QRectF>& strokeBounds, const QVector<int>& line) const
{
    // Letters of a word nearly touch; words stand apart by about the height of a small letter.
    QVector<double> heights;
    for (int iStroke : line)
        heights.append(strokeBounds[iStroke].height());
    const double dGap = std::max(median(heights), m_dLineHeight * 0.4) * 0.9;
    double dRight = strokeBounds[line.first()].right();
    for (int iStroke : line) {
        if (strokeBounds[iStroke].left() - dRight > dGap)
            return true;
        dRight = std::max(dRight, strokeBounds[iStroke].right());
    }
    return false;
}
