#include "inkfeatures.h"

#include "inklayout.h"

#include <algorithm>
#include <cmath>

namespace {

const double c_dFineStepsPerHeight = 32.0;
const double c_dMaxDelta = 8.0;
// Points past this many are not read: a line of writing has a few thousand.
const int c_iMaxPoints = 20000;

double clamped(double dValue)
{
    return std::max(-c_dMaxDelta, std::min(c_dMaxDelta, dValue));
}

} // namespace

QVector<QPointF> CInkFeatures::resample(const QVector<QPointF>& stroke, double dStep)
{
    if (stroke.size() < 2 || !(dStep > 0.0))
        return stroke.mid(0, 1);
    QVector<double> cumulative(stroke.size());
    cumulative[0] = 0.0;
    for (int i = 1; i < stroke.size(); ++i) {
        const QPointF d = stroke[i] - stroke[i - 1];
        cumulative[i] = cumulative[i - 1] + std::sqrt(d.x() * d.x() + d.y() * d.y());
    }
    const double dTotal = cumulative.last();
    if (!(dTotal > 0.0))
        return stroke.mid(0, 1);
    const int iCount = int(std::min(dTotal / dStep, double(c_iMaxPoints)));
    QVector<double> at;
    at.reserve(iCount + 2);
    for (int k = 0; k <= iCount; ++k)
        at.append(k * dStep);
    if (dTotal - at.last() > dStep * 0.25)
        at.append(dTotal);
    QVector<QPointF> result;
    result.reserve(at.size());
    int j = 0;
    const int iLast = stroke.size() - 1;
    for (const double dAt : at) {
        // The piece that holds dAt; pieces of no length are passed over.
        while (j + 1 < iLast && cumulative[j + 1] <= dAt)
            ++j;
        const double dLength = cumulative[j + 1] - cumulative[j];
        if (dAt >= dTotal || !(dLength > 0.0)) {
            result.append(dAt >= dTotal ? stroke[iLast] : stroke[j]);
            continue;
        }
        const double t = (dAt - cumulative[j]) / dLength;
        result.append(stroke[j] + (stroke[j + 1] - stroke[j]) * t);
    }
    return result;
}

double CInkFeatures::coreSize(const QVector<QVector<QPointF>>& strokes, QVector<QVector<QPointF>>* pFine)
{
    QRectF bounds;
    if (!CInkLayout::boundsOf(strokes, bounds))
        return 0.0;
    const double dReference = std::max({bounds.height(), bounds.width() / 8.0, 1.0e-6});
    QVector<QVector<QPointF>> fine;
    std::vector<double> ys;
    for (const QVector<QPointF>& stroke : strokes) {
        fine.append(resample(stroke, dReference / c_dFineStepsPerHeight));
        for (const QPointF& point : fine.last())
            ys.push_back(point.y());
    }
    std::sort(ys.begin(), ys.end());
    const double dQ1 = ys[size_t(0.25 * double(ys.size() - 1))];
    const double dQ3 = ys[size_t(0.75 * double(ys.size() - 1))];
    if (pFine)
        *pFine = fine;
    return std::max({dQ3 - dQ1, bounds.height() / 4.0, dReference / 16.0});
}

double CInkFeatures::slant(const QVector<QVector<QPointF>>& fine)
{
    double dNum = 0.0;
    double dDen = 0.0;
    for (const QVector<QPointF>& stroke : fine)
        for (int i = 1; i < stroke.size(); ++i) {
            const QPointF d = stroke[i] - stroke[i - 1];
            if (std::fabs(d.x()) < 1.2 * std::fabs(d.y())) {
                dNum += d.y() > 0 ? d.x() : -d.x();
                dDen += std::fabs(d.y());
            }
        }
    if (!(dDen > 0.0))
        return 0.0;
    return std::max(-1.0, std::min(1.0, dNum / dDen));
}

std::vector<float> CInkFeatures::compute(const QVector<QVector<QPointF>>& strokes, double dStep)
{
    std::vector<float> rows;
    QVector<QVector<QPointF>> usable;
    int iPoints = 0;
    for (const QVector<QPointF>& stroke : strokes) {
        QVector<QPointF> kept;
        for (const QPointF& point : stroke)
            if (CInkLayout::isUsable(point))
                kept.append(point);
        iPoints += kept.size();
        if (!kept.isEmpty() && iPoints <= c_iMaxPoints)
            usable.append(kept);
    }
    if (usable.isEmpty())
        return rows;
    QVector<QVector<QPointF>> fine;
    const double dSize = coreSize(usable, &fine);
    const double dShear = slant(fine);
    std::vector<double> ys;
    for (const QVector<QPointF>& stroke : fine)
        for (const QPointF& point : stroke)
            ys.push_back(point.y());
    std::nth_element(ys.begin(), ys.begin() + long(ys.size() - 1) / 2, ys.end());
    const double dCentre = ys[(ys.size() - 1) / 2];

    bool bFirst = true;
    QPointF previous;
    for (QVector<QPointF> stroke : usable) {
        for (QPointF& point : stroke)
            point =
                QPointF((point.x() - dShear * (point.y() - dCentre)) / dSize, (point.y() - dCentre) / dSize);
        const QVector<QPointF> points = resample(stroke, dStep);
        for (int i = 0; i < points.size(); ++i) {
            const QPointF d = bFirst ? QPointF() : points[i] - previous;
            rows.push_back(float(clamped(d.x())));
            rows.push_back(float(clamped(d.y())));
            rows.push_back(float(clamped(points[i].y())));
            rows.push_back(i == 0 ? 1.0f : 0.0f);
            previous = points[i];
            bFirst = false;
        }
    }
    return rows;
}
