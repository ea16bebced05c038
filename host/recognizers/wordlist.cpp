#include "wordlist.h"

#include <QFile>
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
    const int iKnown = m_words.size();
    m_words.insert(strKey);
    if (m_words.size() > iKnown)
        m_order.append(strKey);
    if (iGrade < c_iUngraded) {
        const auto it = m_grades.find(strKey);
        if (it == m_grades.end())
            m_grades.insert(strKey, iGrade);
        else
            it.value() = std::min(it.value(), iGrade);
    }
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
    return isNumber(strCore) || m_words.contains(strCore.toLower());
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
        if (result.size() < iMax && m_words.contains(strCandidate) && strCandidate != strKey) {
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
