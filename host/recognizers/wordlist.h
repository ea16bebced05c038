// The words of a language, from a plain word list (one word a line) or a spelling dictionary's word
// file (a count first, affix flags after "/"). Looked up without regard to case, so that a reading
// keeps the case the teacher wrote in.
#pragma once

#include <QSet>
#include <QString>
#include <QStringList>

class CWordList
{
public:
    // Adds the words of a file; false when it cannot be read.
    bool load(const QString& strPath);
    void add(const QString& strWord);
    bool isEmpty() const { return m_words.isEmpty(); }
    int size() const { return m_words.size(); }

    // Numbers count as words; a word's surrounding punctuation is not part of it.
    bool contains(const QString& strWord) const;
    // True when every word of the text is a word of the list.
    bool containsAll(const QString& strText) const;
    // Words of the list one letter away: one letter changed, one left out or one added, in that order
    // and from left to right, at most iMax, in the case pattern of strWord.
    QStringList closeWords(const QString& strWord, int iMax) const;

private:
    QSet<QString> m_words;
    // The letters the list's words are made of, for trying changes and additions.
    QString m_strLetters;
    QSet<QChar> m_letterSet;
};
