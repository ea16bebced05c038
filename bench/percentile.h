// The order statistics the measurement tools report: the value below which the given share of the
// measurements lies, nearest rank.
#pragma once

#include <QVector>
#include <algorithm>

inline double percentile(QVector<double> values, double dShare)
{
    if (values.isEmpty())
        return 0.0;
    std::sort(values.begin(), values.end());
    const int iIndex = std::min(int(values.size()) - 1, int(dShare * (values.size() - 1) + 0.5));
    return values[iIndex];
}
