// Order statistics of measured values, shared by the ink layout, the replay and the measurement tools
// so that they agree on what the middle of an even count is.
#pragma once

#include <QVector>
#include <algorithm>

// The value below which the given share of the values lies, by nearest rank (0.0 for no values).
inline double percentile(QVector<double> values, double dShare)
{
    if (values.isEmpty())
        return 0.0;
    const int iIndex = std::min(int(values.size()) - 1, int(dShare * (values.size() - 1) + 0.5));
    std::nth_element(values.begin(), values.begin() + iIndex, values.end());
    return values[iIndex];
}

// The middle value; of an even count the upper of the two middle ones.
inline double median(const QVector<double>& values)
{
    return percentile(values, 0.5);
}
