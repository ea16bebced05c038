// The words of a language, from a plain word list (one word a line) or a spelling dictionary's word
// file (a count first, affix flags after "/"). Looked up without regard to case, so that a reading
// keeps the case the teacher wrote in.
#pragma once

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

class CWordList
{
public:
    // The grade of words from lists that do not say how common their words are.
    static constexpr int c_iUngraded = 1000;

    // Adds the words of a file; false when it cannot be read.
    bool load(const QString& strPath, int iGrade = c_iUngraded);
    void add(const QString& strWord, int iGrade = c_iUngraded);
    bool isEmpty() const { return m_words.isEmpty(); }
    int size() const { return m_words.size(); }

    // Numbers count as words; a word's surrounding punctuation is not part of it.
    bool contains(const QString& strWord) const;
    // True when every word of the text is a word of the list.
    bool containsAll(const QString& strText) const;
    // Words of the list one letter away: one letter changed, one left out or one added, in that order
    // and from left to right, at most iMax, in the case pattern of strWord.
    QStringList closeWords(const QString& strWord, int iMax) const;
    // How common a word is, as the size of the commonest graded list that has it: smaller is commoner.
    int grade(const QString& strWord) const { return m_grades.value(strWord.toLower(), c_iUngraded); }
    // Every word of the list, in lower case, in the order the files gave them: the same on every run,
    // where the set's order follows the process's hash seed.
    const QStringList& entries() const { return m_order; }
    // The case of strPattern carried over to strWord: all capitals, a capital first, or small letters.
    static QString inCaseOf(const QString& strWord, const QString& strPattern);

private:
    QSet<QString> m_words;
    QStringList m_order;
    QHash<QString, int> m_grades;
    // The letters the list's words are made of, for trying changes and additions.
    QString m_strLetters;
    QSet<QChar> m_letterSet;
};
