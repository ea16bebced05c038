#include "lexicondecoder.h"

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

void CLexiconDecoder::addWord(const QString& strWord, double dPrior)
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
