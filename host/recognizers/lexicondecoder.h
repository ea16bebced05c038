// Reads a word as the word of a word list that best explains the engine's step-by-step certainties.
// The engine's own reading keeps only its single most likely letter at each place, so a letter it
// was unsure of is often lost; scoring whole words against every step keeps the doubt until the end,
// where the word list settles it. Letters are compared without regard to case.
#pragma once

#include <QPair>
#include <QString>
#include <QVector>
#include <vector>

class CLexiconDecoder
{
public:
    // For each step of the engine's reading of one word, its symbols and their probabilities; the
    // empty symbol is the engine's "nothing new here".
    using CStepChoices = QVector<QVector<QPair<QString, float>>>;

    // Log probabilities, one row a step: column 0 is "nothing new", the others the letters.
    struct SMatrix
    {
        int iSteps = 0;
        int iColumns = 0;
        std::vector<float> logs;
        float at(int iStep, int iColumn) const { return logs[size_t(iStep) * iColumns + iColumn]; }
        bool isEmpty() const { return iSteps == 0; }
    };

    struct SWordScore
    {
        QString strWord;
        // Log probability of the ink given the word, weighted, plus the word's prior.
        double dScore = 0.0;
    };

    // Words are taken in lower case; dPrior is a log weight, 0 for the commonest words. bName: the
    // word is written with a capital (decodeLine() weighs it without one less).
    void addWord(const QString& strWord, double dPrior, bool bName = false);
    // Makes symbols that no word has, such as digits, count in scores of texts that are not words.
    void addLetters(const QString& strLetters);
    bool isEmpty() const { return m_nodes.size() <= 1; }

    // Steps reduced to the letters of the list; symbols outside it go to no column.
    SMatrix matrix(const CStepChoices& steps) const;
    // Appends another piece of reading, as when a word runs on to the next line.
    static void append(SMatrix& matrix, const SMatrix& more);

    // How a line is read from a model that writes characters as written: the weights of what the
    // lists say against what the ink says, and how much work the search may do.
    struct SLineOptions
    {
        int iBeam = 32;
        int iMax = 8;
        // Characters a step offers below its best by more than this (natural log) are not tried.
        float fPrune = 7.0f;
        double dInkWeight = 0.85;
        // A word outside the list (and each of its letters), a number, a punctuation mark and a word in mixed
        // case (neither small, capitalised nor all capitals) each cost this much against a common word.
        double dOutOfList = -2.0;
        double dOutOfListLetter = -1.0;
        double dNumber = -1.0;
        double dPunctuation = -0.5;
        double dMixedCase = -3.0;
        // A name of the list written without its capital.
        double dSmallName = -2.5;
        // A letter the model read without its accent, taken as the accented letter of a listed word.
        double dAccent = -1.0;
    };
    struct SReading
    {
        QString strText;
        double dScore = 0.0;
    };
    // The most likely texts of a line, best first, at most options.iMax, that differ in more than case
    // and punctuation.
    // Columns of matrix: 0 "nothing new", then the characters of strAlphabet. Words are spaced as
    // the model spaced them; the list's words are preferred by their priors, but any text can come
    // out; digits, punctuation and case are as the model read them.
    QVector<SReading> decodeLine(const SMatrix& matrix, const QString& strAlphabet,
                                 const SLineOptions& options) const;

    // The most likely words of the list, best first, at most iMax; iBeam bounds the work.
    QVector<SWordScore> decode(const SMatrix& matrix, int iBeam, int iMax) const;
    // Log probability of the ink given the text; very low when the text has letters outside the list.
    double score(const SMatrix& matrix, const QString& strText) const;
    // The prior of a word of the list; false when the list does not have it.
    bool prior(const QString& strWord, double* pdPrior) const;

    // A step that gives a letter less than this still allows it, with this probability.
    void setFloor(float fProbability) { m_fFloor = fProbability; }
    // How much the ink counts against the words' priors in decode(); the engine is sure of itself
    // beyond what its readings of handwriting bear out.
    void setInkWeight(double dWeight) { m_dInkWeight = dWeight; }

private:
    struct SNode
    {
        // Children, by column, in the order they were added.
        std::vector<QPair<int, int>> children;
        int iColumn = 0;
        int iParent = 0;
        bool bWord = false;
        bool bName = false;
        double dPrior = 0.0;
        // The best prior of any word through this node, so that hopeless prefixes drop out early.
        double dBestBelow = -1.0e9;
    };

    int column(QChar c) const;
    int child(int iNode, int iColumn) const;
    // The node after iNode by the letter c; -1 when the list has no such word beginning.
    int columnChild(int iNode, QChar c) const;

    std::vector<SNode> m_nodes = std::vector<SNode>(1);
    QString m_strLetters;
    float m_fFloor = 1.0e-4f;
    double m_dInkWeight = 1.0;
};
