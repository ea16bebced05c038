// The host's record of what it was asked, in order: registrations, withdrawals and menu placements,
// each with the host's answer. Diagnostics print it; tests read it to check the order of calls.
#pragma once

#include <QStringList>

class CHostJournal
{
public:
    static void record(const QString& strEntry);
    static QStringList entries();
    // Entries that start with strPrefix, in order, e.g. everything a manager was asked.
    static QStringList entries(const QString& strPrefix);
    static void clear();
};
