#include "wordlist.h"

#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QTextStream>
#include <algorithm>

namespace {

QString core(const QString& strWord)
{
    int iStart = 0;
    int iEnd = strWord.size();
    while (iStart < iEnd && !strWord.at(iStart).isLetterOrNumber())
        ++iStart;
    while (iEnd > iStart && !strWord.at(iEnd - 1).isLetterOrNumber())
        --iEnd;
    return strWord.mid(iStart, iEnd - iStart);
}

bool isNumber(const QString& strWord)
{
    for (const QChar c : strWord)
        if (!c.isDigit())
            return false;
    return !strWord.isEmpty();
}

} // namespace

QString CWordList::inCaseOf(const QString& strWord, const QString& strPattern)
{
    bool bAllUpper = strPattern.size() > 1;
    for (const QChar c : strPattern)
        if (c.isLetter() && !c.isUpper())
            bAllUpper = false;
    if (bAllUpper)
        return strWord.toUpper();
    QString strResult = strWord.toLower();
    if (!strPattern.isEmpty() && strPattern.at(0).isUpper() && !strResult.isEmpty())
        strResult[0] = strResult.at(0).toUpper();
    return strResult;
}

bool CWordList::load(const QString& strPath, int iGrade)
{
    QFile file(strPath);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    QTextStream stream(&file);
    stream.setCodec("UTF-8");
    bool bFirst = true;
    QString strLine;
    while (stream.readLineInto(&strLine)) {
        // A spelling dictionary's word file starts with the number of its words.
        if (bFirst && isNumber(strLine.section(QLatin1Char('\t'), 0, 0).trimmed())) {
            bFirst = false;
            continue;
        }
        bFirst = false;
        const int iSlash = strLine.indexOf(QLatin1Char('/'));
        if (iSlash >= 0)
            strLine.truncate(iSlash);
        const int iTab = strLine.indexOf(QLatin1Char('\t'));
        if (iTab >= 0)
            strLine.truncate(iTab);
        add(strLine.trimmed(), iGrade);
    }
    return true;
}

void CWordList::add(const QString& strWord, int iGrade)
{
    const QString strCore = core(strWord);
    // Possessives ("teacher's") add nothing that the word itself does not.
    if (strCore.isEmpty() || strCore.endsWith(QLatin1String("'s")))
        return;
    const QString strKey = strCore.toLower();
    const bool bCapital = strCore.at(0).isUpper();
    const int iIndex = indexOf(strKey);
    if (iIndex >= 0) {
        m_grades[iIndex] = std::min(m_grades[iIndex], iGrade);
        m_names[iIndex] = m_names[iIndex] && bCapital;
        return;
    }
    m_order.append(strKey);
    m_grades.append(iGrade);
    m_names.append(bCapital);
    if (size_t(m_order.size()) * 2 > m_slots.size()) {
        std::vector<SSlot> previous(std::max<size_t>(1024, m_slots.size() * 2));
        m_slots.swap(previous);
        for (const SSlot& slot : previous)
            if (slot.iIndex != 0)
                insertIndex(slot.iIndex - 1, slot.uHash);
    }
    insertIndex(m_order.size() - 1, qHash(strKey));
    for (const QChar c : strKey)
        if (c.isLetter() && !m_letterSet.contains(c)) {
            m_letterSet.insert(c);
            m_strLetters.append(c);
        }
}

bool CWordList::contains(const QString& strWord) const
{
    const QString strCore = core(strWord);
    if (strCore.isEmpty())
        return false;
    return isNumber(strCore) || indexOf(strCore.toLower()) >= 0;
}

bool CWordList::containsAll(const QString& strText) const
{
    static const QRegularExpression s_space(QStringLiteral("\\s+"));
    const QStringList words = strText.split(s_space, Qt::SkipEmptyParts);
    if (words.isEmpty())
        return false;
    for (const QString& strWord : words)
        if (!contains(strWord))
            return false;
    return true;
}

QStringList CWordList::closeWords(const QString& strWord, int iMax) const
{
    QStringList result;
    const QString strKey = strWord.toLower();
    if (strKey.isEmpty() || iMax <= 0 || isNumber(strKey))
        return result;
    auto tryWord = [&](const QString& strCandidate) {
        if (result.size() < iMax && indexOf(strCandidate) >= 0 && strCandidate != strKey) {
            const QString strCased = inCaseOf(strCandidate, strWord);
            if (!result.contains(strCased))
                result.append(strCased);
        }
        return result.size() >= iMax;
    };
    for (int i = 0; i < strKey.size(); ++i)
        for (const QChar c : m_strLetters) {
            if (c == strKey.at(i))
                continue;
            QString strChanged = strKey;
            strChanged[i] = c;
            if (tryWord(strChanged))
                return result;
        }
    // One letter too many is the commoner slip of a recognizer on joined-up writing.
    if (strKey.size() > 1)
        for (int i = 0; i < strKey.size(); ++i)
            if (tryWord(QString(strKey).remove(i, 1)))
                return result;
    for (int i = 0; i <= strKey.size(); ++i)
        for (const QChar c : m_strLetters)
            if (tryWord(QString(strKey).insert(i, c)))
                return result;
    return result;
}

int CWordList::grade(const QString& strWord) const
{
    const int iIndex = indexOf(strWord.toLower());
    return iIndex < 0 ? c_iUngraded : m_grades[iIndex];
}

double CWordList::prior(const QString& strWord) const
{
    const int c_iCommonestGrade = 10;
    const int c_iRarestGrade = 80;
    return -0.5 * (std::min(grade(strWord), c_iRarestGrade) - c_iCommonestGrade) / 10.0;
}

bool CWordList::isName(const QString& strWord) const
{
    const int iIndex = indexOf(strWord.toLower());
    return iIndex >= 0 && m_names[iIndex];
}

int CWordList::indexOf(const QString& strKey) const
{
    if (m_slots.empty())
        return -1;
    const uint uHash = qHash(strKey);
    const size_t mask = m_slots.size() - 1;
    for (size_t i = uHash & mask; m_slots[i].iIndex != 0; i = (i + 1) & mask)
        if (m_slots[i].uHash == uHash && m_order[m_slots[i].iIndex - 1] == strKey)
            return m_slots[i].iIndex - 1;
    return -1;
}

void CWordList::insertIndex(int iIndex, uint uHash)
{
    const size_t mask = m_slots.size() - 1;
    size_t i = uHash & mask;
    while (m_slots[i].iIndex != 0)
        i = (i + 1) & mask;
    m_slots[i] = {uHash, iIndex + 1};
}
