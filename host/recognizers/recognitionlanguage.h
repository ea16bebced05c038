// The languages the handwriting recognizer can read: the engine's data for each, the word lists that
// order its readings, the letters it may read, and the direction of its script.
#pragma once

#include <QPair>
#include <QString>
#include <QStringList>
#include <QVector>
#include <atomic>

class CWordList;

struct SRecognitionLanguage
{
    QString strCode;
    QString strEngineCode;
    QString strName;
    // Word lists in order of preference; every one that exists is used.
    QStringList wordLists;
    // The characters the engine may read besides digits; empty for any character.
    QString strLetters;
    bool bRightToLeft = false;
    // Word lists graded by how common their words are: each entry the files of one grade with the
    // grade's size (a larger size holds rarer words). Files that are missing are skipped.
    QVector<QPair<int, QStringList>> gradedWordLists;
};

class CRecognitionLanguages
{
public:
    static const QVector<SRecognitionLanguage>& all();
    // Null for a code that is not in the table.
    static const SRecognitionLanguage* find(const QString& strCode);
    static const SRecognitionLanguage& fallback();

    // Where the engine's language data is: TESSDATA_PREFIX when set, the system's place otherwise.
    static QString dataDirectory();
    static bool isInstalled(const SRecognitionLanguage& language);
    // Adds the language's word lists, graded ones with their grade, to words; stops early once
    // bAbandoned is set.
    static void loadWords(const SRecognitionLanguage& language, CWordList& words,
                          const std::atomic<bool>& bAbandoned);
};
