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
    journal().append(strEntry);
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
