// The words of a language, from a plain word list (one word a line) or a spelling dictionary's word
// file (a count first, affix flags after "/"). Looked up without regard to case, so that a reading
// keeps the case the teacher wrote in. A language has a few hundred thousand words: they are kept in
// one list with a table of positions, so that they go as fast as they came, where a set of them took
// most of a second to free when the board quit or switched languages.
#pragma once

#include <QSet>
#include <QString>
#include <QStringList>
#include <QVector>
#include <vector>

class CWordList
{
public:
    // The grade of words from lists that do not say how common their words are.
    static constexpr int c_iUngraded = 1000;

    // Adds the words of a file; false when it cannot be read.
    bool load(const QString& strPath, int iGrade = c_iUngraded);
    void add(const QString& strWord, int iGrade = c_iUngraded);
    bool isEmpty() const { return m_order.isEmpty(); }
    int size() const { return m_order.size(); }

    // Numbers count as words; a word's surrounding punctuation is not part of it.
    bool contains(const QString& strWord) const;
    // True when every word of the text is a word of the list.
    bool containsAll(const QString& strText) const;
    // Words of the list one letter away: one letter changed, one left out or one added, in that order
    // and from left to right, at most iMax, in the case pattern of strWord.
    QStringList closeWords(const QString& strWord, int iMax) const;
    // How common a word is, as the size of the commonest graded list that has it: smaller is commoner.
    int grade(const QString& strWord) const;
    // A word's log weight by how common it is: 0 for the commonest words, less by half a unit per ten
    // of a grade's size, down to the rarest grade, where words of ungraded lists stand too.
    double prior(const QString& strWord) const;
    // True when every list that has the word writes it with a capital, as names are written.
    bool isName(const QString& strWord) const;
    // Every word of the list, in lower case, in the order the files gave them: the same on every run,
    // where the set's order follows the process's hash seed.
    const QStringList& entries() const { return m_order; }
    // The case of strPattern carried over to strWord: all capitals, a capital first, or small letters.
    static QString inCaseOf(const QString& strWord, const QString& strPattern);

private:
    // The position of a word in lower case in m_order; -1 when the list does not have it.
    int indexOf(const QString& strKey) const;
    void insertIndex(int iIndex, uint uHash);

    QStringList m_order;
    // The grade of each word of m_order.
    QVector<int> m_grades;
    // Whether each word of m_order came with a capital every time.
    QVector<bool> m_names;
    // Open addressing: each slot holds the hash of a word and its position in m_order plus one, or 0
    // when it is free; at most half of them are taken.
    struct SSlot
    {
        uint uHash = 0;
        int iIndex = 0;
    };
    std::vector<SSlot> m_slots;
    // The letters the list's words are made of, for trying changes and additions.
    QString m_strLetters;
    QSet<QChar> m_letterSet;
};
