#include "tesseractrecognizer.h"

#include "inklayout.h"
#include "readingranker.h"
#include "recognitionlanguage.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <algorithm>
#include <cmath>
#include <tesseract/baseapi.h>
#include <tesseract/ocrclass.h>
#include <tesseract/resultiterator.h>
#include <unistd.h>

namespace {

// How many of the engine's choices per letter, and how many partial readings, the search keeps.
const int c_iChoicesPerSymbol = 4;
const int c_iBeamWidth = 24;
const int c_iCandidates = 12;

struct SSymbol
{
    QString strBefore;
    QVector<QPair<QString, double>> choices;
};

struct SPartial
{
    QString strText;
    double dLogProbability = 0.0;
};

double logOf(double dProbability)
{
    return std::log(std::max(dProbability, 1e-4));
}

// The engine's best reading, without the line feed it ends with.
QString wholeText(tesseract::TessBaseAPI& api)
{
    std::unique_ptr<char[]> pText(api.GetUTF8Text());
    if (!pText)
        return QString();
    QStringList lines = QString::fromUtf8(pText.get()).split(QLatin1Char('\n'));
    for (QString& strLine : lines)
        strLine = strLine.trimmed();
    lines.removeAll(QString());
    return lines.join(QLatin1Char('\n'));
}

QVector<SSymbol> symbolChoices(tesseract::TessBaseAPI& api)
{
    QVector<SSymbol> symbols;
    std::unique_ptr<tesseract::ResultIterator> pIt(api.GetIterator());
    if (!pIt)
        return symbols;
    const tesseract::PageIteratorLevel eSymbol = tesseract::RIL_SYMBOL;
    do {
        // A choice iterator made on an empty result takes the process down.
        if (pIt->Empty(eSymbol))
            continue;
        SSymbol symbol;
        if (!symbols.isEmpty()) {
            if (pIt->IsAtBeginningOf(tesseract::RIL_TEXTLINE))
                symbol.strBefore = QStringLiteral("\n");
            else if (pIt->IsAtBeginningOf(tesseract::RIL_WORD))
                symbol.strBefore = QStringLiteral(" ");
        }
        std::unique_ptr<char[]> pBest(pIt->GetUTF8Text(eSymbol));
        const QString strBest = pBest ? QString::fromUtf8(pBest.get()) : QString();
        tesseract::ChoiceIterator choice(*pIt);
        double dTotal = 0.0;
        do {
            const char* pText = choice.GetUTF8Text();
            if (!pText)
                continue;
            const QString strChoice = QString::fromUtf8(pText).trimmed();
            if (strChoice.isEmpty())
                continue;
            const double dConfidence = std::max(0.0f, choice.Confidence());
            symbol.choices.append(qMakePair(strChoice, dConfidence));
            dTotal += dConfidence;
        } while (choice.Next());
        if (symbol.choices.isEmpty() || dTotal <= 0.0) {
            if (strBest.isEmpty())
                continue;
            symbol.choices = {qMakePair(strBest, 1.0)};
            dTotal = 1.0;
        }
        std::stable_sort(symbol.choices.begin(), symbol.choices.end(),
                         [](const QPair<QString, double>& a, const QPair<QString, double>& b) {
                             return a.second > b.second;
                         });
        symbol.choices.resize(std::min(int(symbol.choices.size()), c_iChoicesPerSymbol));
        for (auto& choicePair : symbol.choices)
            choicePair.second /= dTotal;
        symbols.append(symbol);
    } while (pIt->Next(eSymbol));
    return symbols;
}

// The most probable combinations of the letters' choices, best first.
QStringList combine(const QVector<SSymbol>& symbols, int iCount)
{
    QVector<SPartial> beam{SPartial()};
    for (const SSymbol& symbol : symbols) {
        QVector<SPartial> next;
        next.reserve(beam.size() * symbol.choices.size());
        for (const SPartial& partial : beam)
            for (const auto& choicePair : symbol.choices)
                next.append({partial.strText + symbol.strBefore + choicePair.first,
                             partial.dLogProbability + logOf(choicePair.second)});
        std::stable_sort(next.begin(), next.end(), [](const SPartial& a, const SPartial& b) {
            return a.dLogProbability > b.dLogProbability;
        });
        if (next.size() > c_iBeamWidth)
            next.resize(c_iBeamWidth);
        beam.swap(next);
    }
    QStringList result;
    for (const SPartial& partial : beam)
        if (!partial.strText.isEmpty() && !result.contains(partial.strText) && result.size() < iCount)
            result.append(partial.strText);
    return result;
}

double elapsedMs(const QElapsedTimer& timer)
{
    return timer.nsecsElapsed() / 1.0e6;
}

} // namespace

CTesseractRecognizer::CTesseractRecognizer(const QString& strLanguage, QString* pstrProblem)
{
    setLanguage(strLanguage, pstrProblem);
}

CTesseractRecognizer::~CTesseractRecognizer()
{
    if (m_pApi)
        m_pApi->End();
}

QString CTesseractRecognizer::recognizerName()
{
    return QStringLiteral("handwriting");
}

QString CTesseractRecognizer::getName() const
{
    return recognizerName();
}

QString CTesseractRecognizer::getDisplayName() const
{
    return m_pLanguage ? QStringLiteral("Handwriting (%1)").arg(m_pLanguage->strName)
                       : QStringLiteral("Handwriting (no language data)");
}

QString CTesseractRecognizer::language() const
{
    return m_pLanguage ? m_pLanguage->strCode : QString();
}

QString CTesseractRecognizer::setLanguage(const QString& strCode, QString* pstrProblem)
{
    if (pstrProblem)
        pstrProblem->clear();
    if (m_pLanguage && m_pLanguage->strCode == strCode && m_pApi)
        return strCode;
    const SRecognitionLanguage* pWanted = CRecognitionLanguages::find(strCode);
    QString strProblem;
    if (!pWanted)
        strProblem = QStringLiteral("The handwriting language \"%1\" is unknown.").arg(strCode);
    else if (!CRecognitionLanguages::isInstalled(*pWanted) || !load(*pWanted))
        strProblem = QStringLiteral("The handwriting data for %1 is not installed in %2.")
                         .arg(pWanted->strName, CRecognitionLanguages::dataDirectory());
    else
        return strCode;

    const SRecognitionLanguage& fallback = CRecognitionLanguages::fallback();
    const bool bFallback = (m_pLanguage == &fallback && m_pApi) || load(fallback);
    strProblem += bFallback ? QStringLiteral(" English is used instead.")
                            : QStringLiteral(" No handwriting can be read until it is installed.");
    if (pstrProblem && !m_reported.contains(strCode))
        *pstrProblem = strProblem;
    m_reported.insert(strCode);
    return language();
}

bool CTesseractRecognizer::load(const SRecognitionLanguage& language)
{
    auto pApi = std::make_unique<tesseract::TessBaseAPI>();
    // The engine's own chatter would only fill the console of a board.
    pApi->SetVariable("debug_file", "/dev/null");
    const QByteArray dataPath = CRecognitionLanguages::dataDirectory().toLocal8Bit();
    if (pApi->Init(dataPath.constData(), language.strEngineCode.toUtf8().constData(),
                   tesseract::OEM_LSTM_ONLY) != 0)
        return false;
    pApi->SetVariable("lstm_choice_mode", "2");
    if (!language.strLetters.isEmpty())
        pApi->SetVariable("tessedit_char_whitelist",
                          (language.strLetters + QStringLiteral("0123456789")).toUtf8().constData());
    m_pApi = std::move(pApi);
    m_pLanguage = &language;
    m_words = CWordList();
    for (const QString& strPath : language.wordLists)
        m_words.load(strPath);
    return true;
}

void CTesseractRecognizer::limitEngineThreads(char** argv)
{
    if (qEnvironmentVariableIsSet("OMP_THREAD_LIMIT") || !argv || !argv[0])
        return;
    qputenv("OMP_THREAD_LIMIT", "1");
    execv("/proc/self/exe", argv);
}

QStringList CTesseractRecognizer::readImage(const QImage& image, int iLayout)
{
    if (!m_pApi || image.isNull())
        return QStringList();
    const QImage grey = image.convertToFormat(QImage::Format_Grayscale8);
    switch (iLayout) {
    case CInkLayout::eWord:
        m_pApi->SetPageSegMode(tesseract::PSM_SINGLE_WORD);
        break;
    case CInkLayout::eLine:
        m_pApi->SetPageSegMode(tesseract::PSM_SINGLE_LINE);
        break;
    default:
        m_pApi->SetPageSegMode(tesseract::PSM_SINGLE_BLOCK);
        break;
    }
    m_pApi->SetImage(grey.constBits(), grey.width(), grey.height(), 1, grey.bytesPerLine());
    m_pApi->SetSourceResolution(300);
    tesseract::ETEXT_DESC monitor;
    monitor.set_deadline_msecs(m_iDeadlineMs);
    QStringList candidates;
    if (m_pApi->Recognize(&monitor) == 0) {
        const QString strBest = wholeText(*m_pApi);
        if (!strBest.isEmpty()) {
            candidates.append(strBest);
            candidates += combine(symbolChoices(*m_pApi), c_iCandidates);
        }
    }
    m_pApi->Clear();
    return candidates;
}

QStringList CTesseractRecognizer::recognize(const QVector<QVector<QPointF>>& strokes)
{
    m_timings = STimings();
    QElapsedTimer timer;
    timer.start();
    const CInkLayout layout(strokes);
    if (layout.layout() == CInkLayout::eEmpty || !m_pApi)
        return QStringList();
    // A single line is sized by all its ink, as the engine was measured; lines of a block by the
    // typical line, so that one tall flourish does not shrink the rest.
    const double dLineHeight =
        layout.layout() == CInkLayout::eBlock ? layout.lineHeight() : layout.bounds().height();
    const QImage image = m_renderer.render(strokes, dLineHeight);
    m_timings.dRenderMs = elapsedMs(timer);

    timer.restart();
    const QStringList candidates = readImage(image, layout.layout());
    m_timings.dRecognizeMs = elapsedMs(timer);

    timer.restart();
    const QStringList readings = CReadingRanker(&m_words).rank(candidates, m_iMaxReadings);
    m_timings.dRankMs = elapsedMs(timer);
    return readings;
}
