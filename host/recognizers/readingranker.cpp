#include "readingranker.h"

#include "wordlist.h"

#include <QRegularExpression>

CReadingRanker::CReadingRanker(const CWordList* pWords) : m_pWords(pWords)
{
}

QStringList CReadingRanker::rank(const QStringList& candidates, int iMax, const QString& strKept) const
{
    QStringList readings;
    for (const QString& strCandidate : candidates) {
        const QString strReading = strCandidate.trimmed();
        // Readings that differ only in case would take places from real alternatives.
        if (!strReading.isEmpty() && !readings.contains(strReading, Qt::CaseInsensitive))
            readings.append(strReading);
    }
    if (readings.isEmpty() || iMax <= 0)
        return QStringList();
    if (!m_pWords || m_pWords->isEmpty())
        return readings.mid(0, iMax);

    const QString strBest = strKept.trimmed().isEmpty() ? readings.first() : strKept.trimmed();
    const int iSources = std::min(c_iCloseSources, int(readings.size()));
    for (int i = 0; i < iSources; ++i) {
        if (m_pWords->containsAll(readings[i]))
            continue;
        for (int n = 0; n < c_iCloseEach; ++n) {
            const QString strClose = closeReading(readings[i], n);
            if (strClose.isEmpty())
                break;
            if (!readings.contains(strClose, Qt::CaseInsensitive))
                readings.append(strClose);
        }
    }

    QStringList words;
    QStringList others;
    for (const QString& strReading : qAsConst(readings))
        (m_pWords->containsAll(strReading) ? words : others).append(strReading);
    QStringList result = (words + others).mid(0, iMax);
    keepReading(result, strBest, iMax);
    return result;
}

void CReadingRanker::keepReading(QStringList& readings, const QString& strReading, int iMax)
{
    if (iMax <= 0 || strReading.trimmed().isEmpty() || readings.contains(strReading, Qt::CaseInsensitive))
        return;
    if (readings.size() >= iMax && !readings.isEmpty())
        readings.removeLast();
    readings.append(strReading);
}

// The candidate with each word that is not in the list replaced by its nth close word; empty when
// some such word has no nth close word.
QString CReadingRanker::closeReading(const QString& strCandidate, int iNth) const
{
    static const QRegularExpression s_word(QStringLiteral("[\\w']+"),
                                           QRegularExpression::UseUnicodePropertiesOption);
    QString strResult;
    int iLast = 0;
    bool bChanged = false;
    QRegularExpressionMatchIterator it = s_word.globalMatch(strCandidate);
    while (it.hasNext()) {
        const QRegularExpressionMatch match = it.next();
        strResult += strCandidate.midRef(iLast, match.capturedStart() - iLast);
        const QString strWord = match.captured();
        if (m_pWords->contains(strWord)) {
            strResult += strWord;
        } else {
            const QStringList close = m_pWords->closeWords(strWord, iNth + 1);
            if (close.size() <= iNth)
                return QString();
            strResult += close[iNth];
            bChanged = true;
        }
        iLast = match.capturedEnd();
    }
    strResult += strCandidate.midRef(iLast);
    return bChanged ? strResult : QString();
}
