#include "hostjournal.h"

namespace {
QStringList& journal()
{
    static QStringList s_entries;
    return s_entries;
}
} // namespace

void CHostJournal::record(const QString& strEntry)
{
    // A long lesson must not grow the host without bound; diagnostics need only the recent past.
    const int c_iMaxEntries = 10000;
    QStringList& entries = journal();
    if (entries.size() >= c_iMaxEntries)
        entries.erase(entries.begin(), entries.begin() + entries.size() / 2);
    entries.append(strEntry);
}

QStringList CHostJournal::entries()
{
    return journal();
}

QStringList CHostJournal::entries(const QString& strPrefix)
{
    QStringList matches;
    for (const QString& strEntry : journal())
        if (strEntry.startsWith(strPrefix))
            matches.append(strEntry);
    return matches;
}

void CHostJournal::clear()
{
    journal().clear();
}
