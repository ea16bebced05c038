// Puts a recognizer's candidate readings in the order a teacher is most likely to want them: readings
// that are words of the language before those that are not, the recognizer's own order otherwise,
// with words one letter away from the best candidates added, since a recognizer often gets a word
// nearly right. The recognizer's own best reading is always kept among those offered.
#pragma once

#include <QStringList>

class CWordList;

class CReadingRanker
{
public:
    // Without a word list the candidates keep their order.
    explicit CReadingRanker(const CWordList* pWords = nullptr);

    // Distinct, non-empty readings, best first, at most iMax. strKept (the first candidate when
    // empty) stays among them whatever the word list says.
    QStringList rank(const QStringList& candidates, int iMax, const QString& strKept = QString()) const;

    // Puts strReading among readings (at most iMax), in place of the last one where they are full,
    // unless it is there already in some case or is blank.
    static void keepReading(QStringList& readings, const QString& strReading, int iMax);

private:
    QString closeReading(const QString& strCandidate, int iNth) const;

    // Close words are looked for around this many of the best candidates, this many around each.
    static constexpr int c_iCloseSources = 3;
    static constexpr int c_iCloseEach = 3;

    const CWordList* m_pWords;
};
