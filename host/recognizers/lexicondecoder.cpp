#include "lexicondecoder.h"

#include <QSet>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <limits>
#include <unordered_map>

namespace {

const double c_dImpossible = -1.0e30;

double logSum(double a, double b)
{
    if (a < b)
        std::swap(a, b);
    if (b <= c_dImpossible)
        return a;
    return a + std::log1p(std::exp(b - a));
}

// Both kinds of apostrophe are one letter to the list.
QChar folded(QChar c)
{
    if (c == QChar(0x2019) || c == QChar(0x2018))
        return QLatin1Char('\'');
    return c.toLower();
}

struct SPrefix
{
    int iNode = 0;
    // Log probability of the prefix read so far, ending in "nothing new" or in its last letter; the
    // two are kept apart because only the first lets the same letter follow as a new letter.
    double dEndsBlank = c_dImpossible;
    double dEndsLetter = c_dImpossible;
    double total() const { return logSum(dEndsBlank, dEndsLetter); }
};

} // namespace

int CLexiconDecoder::column(QChar c) const
{
    const int iIndex = m_strLetters.indexOf(folded(c));
    return iIndex < 0 ? -1 : iIndex + 1;
}

int CLexiconDecoder::child(int iNode, int iColumn) const
{
    for (const QPair<int, int>& edge : m_nodes[size_t(iNode)].children)
        if (edge.first == iColumn)
            return edge.second;
    return -1;
}

void CLexiconDecoder::addWord(const QString& strWord, double dPrior, bool bName)
{
    if (strWord.isEmpty())
        return;
    int iNode = 0;
    m_nodes[0].dBestBelow = std::max(m_nodes[0].dBestBelow, dPrior);
    for (const QChar c : strWord) {
        const QChar letter = folded(c);
        int iColumn = column(letter);
        if (iColumn < 0) {
            m_strLetters.append(letter);
            iColumn = m_strLetters.size();
        }
        int iNext = child(iNode, iColumn);
        if (iNext < 0) {
            iNext = int(m_nodes.size());
            m_nodes[size_t(iNode)].children.push_back(qMakePair(iColumn, iNext));
            m_nodes.emplace_back();
            m_nodes.back().iColumn = iColumn;
            m_nodes.back().iParent = iNode;
        }
        iNode = iNext;
        m_nodes[size_t(iNode)].dBestBelow = std::max(m_nodes[size_t(iNode)].dBestBelow, dPrior);
    }
    SNode& node = m_nodes[size_t(iNode)];
    // The same word from two lists keeps the better standing.
    node.dPrior = node.bWord ? std::max(node.dPrior, dPrior) : dPrior;
    node.bName = node.bWord ? node.bName && bName : bName;
    node.bWord = true;
}

void CLexiconDecoder::addLetters(const QString& strLetters)
{
    for (const QChar c : strLetters)
        if (column(c) < 0)
            m_strLetters.append(folded(c));
}

CLexiconDecoder::SMatrix CLexiconDecoder::matrix(const CStepChoices& steps) const
{
    SMatrix result;
    result.iSteps = steps.size();
    result.iColumns = m_strLetters.size() + 1;
    std::vector<float> probabilities(size_t(result.iColumns));
    result.logs.reserve(size_t(result.iSteps) * result.iColumns);
    for (const auto& step : steps) {
        std::fill(probabilities.begin(), probabilities.end(), 0.0f);
        for (const QPair<QString, float>& choice : step) {
            if (choice.first.isEmpty()) {
                probabilities[0] += choice.second;
                continue;
            }
            // Capital and small forms of a letter are one letter here.
            if (choice.first.size() != 1)
                continue;
            const int iColumn = column(choice.first.at(0));
            if (iColumn > 0)
                probabilities[size_t(iColumn)] += choice.second;
        }
        for (float fProbability : probabilities)
            result.logs.push_back(std::log(std::max(std::min(fProbability, 1.0f), m_fFloor)));
    }
    return result;
}

void CLexiconDecoder::append(SMatrix& matrix, const SMatrix& more)
{
    if (matrix.isEmpty()) {
        matrix = more;
        return;
    }
    if (more.iColumns != matrix.iColumns)
        return;
    matrix.logs.insert(matrix.logs.end(), more.logs.begin(), more.logs.end());
    matrix.iSteps += more.iSteps;
}

QVector<CLexiconDecoder::SWordScore> CLexiconDecoder::decode(const SMatrix& matrix, int iBeam, int iMax) const
{
    QVector<SWordScore> result;
    if (matrix.isEmpty() || isEmpty() || matrix.iColumns != m_strLetters.size() + 1)
        return result;
    std::vector<SPrefix> beam(1);
    beam[0].dEndsBlank = 0.0;
    std::unordered_map<int, int> index;
    std::vector<SPrefix> next;
    for (int t = 0; t < matrix.iSteps; ++t) {
        next.clear();
        index.clear();
        auto entry = [&](int iNode) -> SPrefix& {
            const auto it = index.find(iNode);
            if (it != index.end())
                return next[size_t(it->second)];
            index.emplace(iNode, int(next.size()));
            next.emplace_back();
            next.back().iNode = iNode;
            return next.back();
        };
        const float fBlank = matrix.at(t, 0);
        for (const SPrefix& prefix : beam) {
            const SNode& node = m_nodes[size_t(prefix.iNode)];
            const double dTotal = prefix.total();
            SPrefix& same = entry(prefix.iNode);
            same.dEndsBlank = logSum(same.dEndsBlank, dTotal + fBlank);
            if (prefix.iNode != 0)
                same.dEndsLetter = logSum(same.dEndsLetter, prefix.dEndsLetter + matrix.at(t, node.iColumn));
            for (const QPair<int, int>& edge : node.children) {
                // A letter doubled in the word needs a "nothing new" step between its two halves.
                const double dFrom =
                    (prefix.iNode != 0 && edge.first == node.iColumn) ? prefix.dEndsBlank : dTotal;
                if (dFrom <= c_dImpossible)
                    continue;
                SPrefix& longer = entry(edge.second);
                longer.dEndsLetter = logSum(longer.dEndsLetter, dFrom + matrix.at(t, edge.first));
            }
        }
        if (int(next.size()) > iBeam) {
            std::nth_element(next.begin(), next.begin() + iBeam, next.end(),
                             [&](const SPrefix& a, const SPrefix& b) {
                                 return m_dInkWeight * a.total() + m_nodes[size_t(a.iNode)].dBestBelow >
                                        m_dInkWeight * b.total() + m_nodes[size_t(b.iNode)].dBestBelow;
                             });
            next.resize(size_t(iBeam));
        }
        beam.swap(next);
    }

    for (const SPrefix& prefix : beam) {
        const SNode& node = m_nodes[size_t(prefix.iNode)];
        if (node.bWord)
            result.append({QString(), m_dInkWeight * prefix.total() + node.dPrior});
        else
            continue;
        // The word is spelled back from its node's path.
        QString strWord;
        for (int iNode = prefix.iNode; iNode != 0;) {
            strWord.prepend(m_strLetters.at(m_nodes[size_t(iNode)].iColumn - 1));
            iNode = m_nodes[size_t(iNode)].iParent;
        }
        result.last().strWord = strWord;
    }
    std::sort(result.begin(), result.end(),
              [](const SWordScore& a, const SWordScore& b) { return a.dScore > b.dScore; });
    if (result.size() > iMax)
        result.resize(iMax);
    return result;
}

double CLexiconDecoder::score(const SMatrix& matrix, const QString& strText) const
{
    if (matrix.isEmpty())
        return c_dImpossible;
    std::vector<int> labels;
    for (const QChar c : strText) {
        const int iColumn = column(c);
        if (iColumn > 0)
            labels.push_back(iColumn);
        else if (c.isLetter())
            return c_dImpossible;
    }
    // Every label with a "nothing new" before, between and after.
    const int iStates = int(labels.size()) * 2 + 1;
    auto label = [&](int iState) { return iState % 2 == 0 ? 0 : labels[size_t(iState / 2)]; };
    std::vector<double> alpha(size_t(iStates), c_dImpossible);
    std::vector<double> nextAlpha(size_t(iStates), c_dImpossible);
    alpha[0] = matrix.at(0, 0);
    if (iStates > 1)
        alpha[1] = matrix.at(0, label(1));
    for (int t = 1; t < matrix.iSteps; ++t) {
        for (int s = 0; s < iStates; ++s) {
            double dValue = alpha[size_t(s)];
            if (s > 0)
                dValue = logSum(dValue, alpha[size_t(s - 1)]);
            if (s > 1 && label(s) != 0 && label(s) != label(s - 2))
                dValue = logSum(dValue, alpha[size_t(s - 2)]);
            nextAlpha[size_t(s)] = dValue + matrix.at(t, label(s));
        }
        alpha.swap(nextAlpha);
    }
    double dResult = alpha[size_t(iStates - 1)];
    if (iStates > 1)
        dResult = logSum(dResult, alpha[size_t(iStates - 2)]);
    return dResult;
}

bool CLexiconDecoder::prior(const QString& strWord, double* pdPrior) const
{
    int iNode = 0;
    for (const QChar c : strWord) {
        const int iColumn = column(c);
        if (iColumn < 0 || (iNode = child(iNode, iColumn)) < 0)
            return false;
    }
    if (!m_nodes[size_t(iNode)].bWord)
        return false;
    if (pdPrior)
        *pdPrior = m_nodes[size_t(iNode)].dPrior;
    return true;
}

namespace {

// Where a word of a line stands: not begun (or only opening marks so far), in its letters and
// digits, or past them (closing marks, the word already weighed).
enum EWordPhase : quint8
{
    eWordStart,
    eWordBody,
    eWordAfter
};

// One text the line search holds: the way to it ends in "nothing new" or in its last character.
struct SLineState
{
    int iText = 0;
    // The column that wrote the last character, which a repeated step of the same column extends.
    int iLast = 0;
    // The word's letters in the list, or -1 once they left it.
    int iNode = 0;
    EWordPhase ePhase = eWordStart;
    bool bDigits = false;
    bool bFirstUpper = false;
    bool bLaterUpper = false;
    bool bLaterLower = false;
    int iLetters = 0;
    double dEndsBlank = c_dImpossible;
    double dEndsChar = c_dImpossible;
    // What the lists and marks say of the text so far.
    double dLanguage = 0.0;
    double total() const { return logSum(dEndsBlank, dEndsChar); }
};

// Each text the search reached, as its last character and the text before it: texts share their
// beginnings, and two ways to one text meet at one entry.
struct STextNode
{
    int iParent = -1;
    QChar c;
};

// Letters the model may have read without their accent: the list decides which was meant.
QString accented(QChar c)
{
    switch (c.unicode()) {
    case 'a':
        return QStringLiteral("àâäæ");
    case 'c':
        return QStringLiteral("ç");
    case 'e':
        return QStringLiteral("éèêë");
    case 'i':
        return QStringLiteral("îï");
    case 'o':
        return QStringLiteral("ôöœ");
    case 'u':
        return QStringLiteral("ùûü");
    case 'y':
        return QStringLiteral("ÿ");
    default:
        return QString();
    }
}

} // namespace

QVector<CLexiconDecoder::SReading> CLexiconDecoder::decodeLine(const SMatrix& matrix,
                                                               const QString& strAlphabet,
                                                               const SLineOptions& options) const
{
    QVector<SReading> result;
    if (matrix.isEmpty() || matrix.iColumns != strAlphabet.size() + 1 || options.iBeam < 1)
        return result;

    std::vector<STextNode> texts(1);
    std::unordered_map<quint64, int> textIndex;
    auto textOf = [&](int iParent, int iColumn, QChar c) {
        const quint64 key = (quint64(quint32(iParent)) << 32) | (quint64(iColumn) << 16) | c.unicode();
        const auto it = textIndex.find(key);
        if (it != textIndex.end())
            return it->second;
        texts.push_back({iParent, c});
        textIndex.emplace(key, int(texts.size() - 1));
        return int(texts.size() - 1);
    };
    auto lastChar = [&](int iText) { return iText == 0 ? QChar() : texts[size_t(iText)].c; };

    // The weight of the word that ends now: its prior when the list has it, the cost of a word
    // outside it otherwise, and the cost of a case no writer means.
    auto wordEnd = [&](const SLineState& state) {
        if (state.ePhase != eWordBody)
            return 0.0;
        double dWeight = 0.0;
        if (state.iNode > 0 && m_nodes[size_t(state.iNode)].bWord)
            dWeight += m_nodes[size_t(state.iNode)].dPrior +
                       (m_nodes[size_t(state.iNode)].bName && !state.bFirstUpper ? options.dSmallName : 0.0);
        else if (state.iNode >= 0)
            dWeight += options.dOutOfList + options.dOutOfListLetter * state.iLetters;
        if ((state.bLaterUpper && state.bLaterLower) || (!state.bFirstUpper && state.bLaterUpper))
            dWeight += options.dMixedCase;
        return dWeight;
    };
    auto ranking = [&](const SLineState& state) {
        const double dAhead = state.ePhase == eWordBody && state.iNode > 0
                                  ? std::min(0.0, m_nodes[size_t(state.iNode)].dBestBelow)
                                  : 0.0;
        return options.dInkWeight * state.total() + state.dLanguage + dAhead;
    };

    std::vector<SLineState> beam(1);
    beam[0].dEndsBlank = 0.0;
    std::vector<SLineState> next;
    std::unordered_map<int, int> index;
    std::vector<int> candidates;
    struct SStep
    {
        int iText;
        SLineState shape;
    };
    std::vector<SStep> steps;

    for (int t = 0; t < matrix.iSteps; ++t) {
        next.clear();
        index.clear();
        auto entry = [&](const SLineState& shape) -> SLineState& {
            const auto it = index.find(shape.iText);
            if (it != index.end())
                return next[size_t(it->second)];
            index.emplace(shape.iText, int(next.size()));
            next.push_back(shape);
            next.back().dEndsBlank = c_dImpossible;
            next.back().dEndsChar = c_dImpossible;
            return next.back();
        };
        float fBest = matrix.at(t, 1);
        for (int c = 2; c < matrix.iColumns; ++c)
            fBest = std::max(fBest, matrix.at(t, c));
        candidates.clear();
        for (int c = 1; c < matrix.iColumns; ++c)
            if (matrix.at(t, c) >= fBest - options.fPrune)
                candidates.push_back(c);
        const float fBlank = matrix.at(t, 0);

        for (const SLineState& state : beam) {
            const double dTotal = state.total();
            SLineState& same = entry(state);
            same.dEndsBlank = logSum(same.dEndsBlank, dTotal + fBlank);
            if (state.iLast > 0)
                same.dEndsChar = logSum(same.dEndsChar, state.dEndsChar + matrix.at(t, state.iLast));

            for (const int iColumn : candidates) {
                // The same column again is a new character only after "nothing new".
                const double dFrom = iColumn == state.iLast ? state.dEndsBlank : dTotal;
                if (dFrom <= c_dImpossible)
                    continue;
                const QChar c = strAlphabet.at(iColumn - 1);
                steps.clear();
                SLineState shape = state;
                shape.iLast = iColumn;
                if (c == QLatin1Char(' ')) {
                    if (state.iText == 0 || lastChar(state.iText) == QLatin1Char(' '))
                        continue;
                    shape.dLanguage += wordEnd(state);
                    shape.iNode = 0;
                    shape.ePhase = eWordStart;
                    shape.bDigits = shape.bFirstUpper = shape.bLaterUpper = shape.bLaterLower = false;
                    shape.iLetters = 0;
                    steps.push_back({textOf(state.iText, iColumn, c), shape});
                } else if (c.isLetter()) {
                    const bool bUpper = c.isUpper();
                    if (shape.iLetters == 0)
                        shape.bFirstUpper = bUpper;
                    else
                        (bUpper ? shape.bLaterUpper : shape.bLaterLower) = true;
                    shape.iLetters = std::min(shape.iLetters + 1, 100);
                    const bool bInList = state.iNode >= 0 && !state.bDigits && state.ePhase != eWordAfter;
                    const int iPlain = bInList ? columnChild(state.iNode, c) : -1;
                    SLineState plain = shape;
                    plain.ePhase = eWordBody;
                    if (iPlain > 0) {
                        plain.iNode = iPlain;
                    } else {
                        // A word outside the list costs by its letters, so that two such words
                        // cost as much as the two run together.
                        if (state.ePhase == eWordAfter)
                            plain.dLanguage += options.dOutOfList + options.dOutOfListLetter;
                        else if (plain.iNode >= 0)
                            plain.dLanguage += options.dOutOfList + options.dOutOfListLetter * shape.iLetters;
                        else
                            plain.dLanguage += options.dOutOfListLetter;
                        plain.iNode = -1;
                    }
                    steps.push_back({textOf(state.iText, iColumn, c), plain});
                    if (bInList)
                        for (const QChar accent : accented(c.toLower())) {
                            const int iChild = columnChild(state.iNode, accent);
                            if (iChild <= 0)
                                continue;
                            SLineState withAccent = plain;
                            withAccent.iNode = iChild;
                            withAccent.dLanguage = shape.dLanguage + options.dAccent;
                            const QChar written = bUpper ? accent.toUpper() : accent;
                            steps.push_back({textOf(state.iText, iColumn, written), withAccent});
                        }
                } else if (c.isDigit()) {
                    if (!state.bDigits)
                        shape.dLanguage += options.dNumber;
                    if (state.ePhase == eWordBody && state.iNode >= 0)
                        shape.dLanguage += options.dOutOfList + options.dOutOfListLetter * state.iLetters;
                    shape.bDigits = true;
                    shape.iNode = -1;
                    shape.ePhase = eWordBody;
                    steps.push_back({textOf(state.iText, iColumn, c), shape});
                } else {
                    const int iChild = state.ePhase == eWordBody && state.iNode >= 0 && !state.bDigits
                                           ? columnChild(state.iNode, c)
                                           : -1;
                    if (iChild > 0) {
                        shape.iNode = iChild;
                    } else {
                        shape.dLanguage += wordEnd(state) + options.dPunctuation;
                        if (state.ePhase == eWordBody)
                            shape.ePhase = eWordAfter;
                    }
                    steps.push_back({textOf(state.iText, iColumn, c), shape});
                }
                for (SStep& step : steps) {
                    step.shape.iText = step.iText;
                    SLineState& longer = entry(step.shape);
                    longer.dEndsChar = logSum(longer.dEndsChar, dFrom + matrix.at(t, iColumn));
                }
            }
        }
        if (int(next.size()) > options.iBeam) {
            std::nth_element(
                next.begin(), next.begin() + options.iBeam, next.end(),
                [&](const SLineState& a, const SLineState& b) { return ranking(a) > ranking(b); });
            next.resize(size_t(options.iBeam));
        }
        beam.swap(next);
    }

    struct SFinal
    {
        int iText;
        double dScore;
    };
    std::vector<SFinal> finals;
    for (const SLineState& state : beam)
        if (state.iText != 0 && lastChar(state.iText) != QLatin1Char(' '))
            finals.push_back(
                {state.iText, options.dInkWeight * state.total() + state.dLanguage + wordEnd(state)});
    std::sort(finals.begin(), finals.end(),
              [](const SFinal& a, const SFinal& b) { return a.dScore > b.dScore; });
    // Readings that differ only in case or in a mark are no real choice: the best of them stands.
    QSet<QString> seen;
    for (const SFinal& final : finals) {
        QString strText;
        QString strKey;
        for (int iText = final.iText; iText > 0; iText = texts[size_t(iText)].iParent) {
            const QChar c = texts[size_t(iText)].c;
            strText.prepend(c);
            if (c.isLetterOrNumber() || c == QLatin1Char(' '))
                strKey.prepend(c.toLower());
        }
        if (seen.contains(strKey))
            continue;
        seen.insert(strKey);
        result.append({strText, final.dScore});
        if (result.size() >= options.iMax)
            break;
    }
    return result;
}

int CLexiconDecoder::columnChild(int iNode, QChar c) const
{
    const int iColumn = column(c);
    return iColumn < 0 ? -1 : child(iNode, iColumn);
}
