#include "tesseractrecognizer.h"

#include "inklayout.h"
#include "readingranker.h"
#include "recognitionlanguage.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QThread>
#include <QtConcurrent>
#include <algorithm>
#include <atomic>
#include <cmath>
#include <tesseract/baseapi.h>
#include <tesseract/ocrclass.h>
#include <tesseract/resultiterator.h>

namespace {

// Prefixes the word search keeps at each step, and words it offers from each drawing of the ink.
const int c_iLexiconBeam = 200;
const int c_iLexiconWords = 12;
// Readings of several words kept while their words are combined.
const int c_iBeamWidth = 24;
// The engine is far surer of its letters than its readings of handwriting bear out; halving the
// weight of the ink lets how common a word is count for as much as it should.
const double c_dInkWeight = 0.5;
const float c_fLetterFloor = 1.0e-4f;
// Log weights. Words the engine's own dictionary lacks are rarer in writing; texts that are no word at all
// rarer still, but names and codes must remain readable when the ink is clear.
const double c_dRareWord = -3.0;
const double c_dNoWord = -8.0;
// A second drawing with a narrower white margin: the engine's errors change with the margin, and a
// word that explains both readings is more often right than the best word of either.
const int c_iSecondPadding = 11;
// The engine gives up on a writing after this long; what it read by then still counts.
const int c_iDeadlineMs = 3000;

using SEngineWord = CTesseractRecognizer::SEngineWord;

struct SScored
{
    QString strText;
    double dScore = 0.0;
};

// Each other drawing of the ink read as one word: its certainties and its text.
struct SOtherDrawings
{
    QVector<CLexiconDecoder::SMatrix> matrices;
    QStringList texts;
};

double elapsedMs(const QElapsedTimer& timer)
{
    return timer.nsecsElapsed() / 1.0e6;
}

// The text of the words as the engine read them, with what separates them.
QString engineText(const QVector<SEngineWord>& words)
{
    QString strText;
    for (const SEngineWord& word : words)
        strText += word.strBefore + word.strText;
    return strText;
}

// The other drawings only speak for a single word, whose parts need not line up.
SOtherDrawings otherDrawings(const QVector<QVector<SEngineWord>>& views)
{
    SOtherDrawings other;
    if (views.first().size() != 1)
        return other;
    for (int i = 1; i < views.size(); ++i) {
        CLexiconDecoder::SMatrix joined;
        QString strText;
        for (const SEngineWord& word : views[i]) {
            CLexiconDecoder::append(joined, word.matrix);
            strText += word.strText;
        }
        if (!joined.isEmpty()) {
            other.matrices.append(joined);
            other.texts.append(strText);
        }
    }
    return other;
}

// Every partial reading of the words so far followed by every scored reading of the next word, the
// best of them kept.
QVector<SScored> extendBeam(const QVector<SScored>& beam, const QVector<SScored>& scored,
                            const QString& strBefore)
{
    QVector<SScored> next;
    for (const SScored& partial : beam)
        for (const SScored& candidate : scored)
            next.append({partial.strText + strBefore + candidate.strText, partial.dScore + candidate.dScore});
    std::stable_sort(next.begin(), next.end(),
                     [](const SScored& a, const SScored& b) { return a.dScore > b.dScore; });
    if (next.size() > c_iBeamWidth)
        next.resize(c_iBeamWidth);
    return next;
}

// The beam's readings that are not blank and differ in more than case, best first, at most iMax.
QStringList distinctReadings(const QVector<SScored>& beam, int iMax)
{
    QStringList readings;
    for (const SScored& partial : beam)
        if (!partial.strText.trimmed().isEmpty() &&
            !readings.contains(partial.strText, Qt::CaseInsensitive) && readings.size() < iMax)
            readings.append(partial.strText);
    return readings;
}

// What the drawings read as they are, then the words of the lists that explain them best, in the case
// of the engine's word.
QStringList wordCandidates(const CLexiconDecoder& decoder, const QStringList& texts,
                           const QVector<CLexiconDecoder::SMatrix>& matrices, const QString& strEngineWord)
{
    QStringList candidates;
    for (const QString& strText : texts)
        if (!strText.isEmpty() && !candidates.contains(strText))
            candidates.append(strText);
    for (const CLexiconDecoder::SMatrix& matrix : matrices)
        for (const CLexiconDecoder::SWordScore& found :
             decoder.decode(matrix, c_iLexiconBeam, c_iLexiconWords)) {
            const QString strCased = CWordList::inCaseOf(found.strWord, strEngineWord);
            if (!candidates.contains(strCased, Qt::CaseInsensitive))
                candidates.append(strCased);
        }
    return candidates;
}

// The readings that may stand for one word the engine found, each scored by how well it explains the
// drawings and by how common it is.
QVector<SScored> scoreWord(const CLexiconDecoder& decoder, const CWordList& words, const SEngineWord& word,
                           const SOtherDrawings& other)
{
    QVector<CLexiconDecoder::SMatrix> matrices;
    if (!word.matrix.isEmpty())
        matrices.append(word.matrix);
    matrices += other.matrices;
    if (matrices.isEmpty())
        return {{word.strText, 0.0}};
    QStringList texts{word.strText};
    texts += other.texts;

    const QStringList candidates = wordCandidates(decoder, texts, matrices, word.strText);
    QVector<SScored> scored;
    for (const QString& strCandidate : candidates) {
        double dScore = 0.0;
        for (const CLexiconDecoder::SMatrix& matrix : qAsConst(matrices))
            dScore += decoder.score(matrix, strCandidate);
        dScore *= c_dInkWeight / matrices.size();
        double dPrior = 0.0;
        if (!decoder.prior(strCandidate, &dPrior))
            dPrior = words.contains(strCandidate) ? 0.0 : c_dNoWord;
        scored.append({strCandidate, dScore + dPrior});
    }
    return scored;
}

} // namespace

struct CTesseractRecognizer::SEngine
{
    std::unique_ptr<tesseract::TessBaseAPI> pApi;
    const SRecognitionLanguage* pLanguage = nullptr;
    CWordList words;
    CLexiconDecoder decoder;

    ~SEngine()
    {
        if (pApi)
            pApi->End();
    }
};

namespace {

using SEngine = CTesseractRecognizer::SEngine;
using SLoaded = CTesseractRecognizer::SLoaded;

// Set when nobody waits for a load any more: the board is quitting.
using CAbandoned = std::shared_ptr<std::atomic<bool>>;

// The engine and word lists of a language; null when the engine cannot start with its data, or when
// the load was abandoned.
std::shared_ptr<SEngine> loadEngine(const SRecognitionLanguage& language, const std::atomic<bool>& bAbandoned)
{
    auto pEngine = std::make_shared<SEngine>();
    pEngine->pApi = std::make_unique<tesseract::TessBaseAPI>();
    tesseract::TessBaseAPI* pApi = pEngine->pApi.get();
    // The engine's own chatter would only fill the console of a board.
    pApi->SetVariable("debug_file", "/dev/null");
    const QByteArray dataPath = CRecognitionLanguages::dataDirectory().toLocal8Bit();
    if (pApi->Init(dataPath.constData(), language.strEngineCode.toUtf8().constData(),
                   tesseract::OEM_LSTM_ONLY) != 0)
        return nullptr;
    pApi->SetVariable("lstm_choice_mode", "1");
    if (!language.strLetters.isEmpty())
        pApi->SetVariable("tessedit_char_whitelist",
                          (language.strLetters + QStringLiteral("0123456789")).toUtf8().constData());
    pEngine->pLanguage = &language;
    CWordList& words = pEngine->words;
    CRecognitionLanguages::loadWords(language, words, bAbandoned);
    CLexiconDecoder& decoder = pEngine->decoder;
    // The engine's dictionary holds the words of everyday text; the spelling lists add rarer ones.
    // The search breaks ties between equally likely words by the order they went in, so they go in
    // the lists' own order, which is the same on every run.
    for (const QString& strWord : words.entries()) {
        if (bAbandoned)
            return nullptr;
        decoder.addWord(strWord, words.prior(strWord) +
                                     (pApi->IsValidWord(strWord.toUtf8().constData()) ? 0.0 : c_dRareWord));
    }
    decoder.addLetters(QStringLiteral("0123456789"));
    decoder.setFloor(c_fLetterFloor);
    decoder.setInkWeight(c_dInkWeight);
    return pEngine;
}

// Runs on a worker thread. A language that cannot be loaded leaves pInUse in use, or English where
// nothing is in use yet.
SLoaded loadLanguage(const QString& strCode, const SRecognitionLanguage* pInUse, const CAbandoned& pAbandoned)
{
    SLoaded loaded;
    loaded.strCode = strCode;
    const SRecognitionLanguage* pWanted = CRecognitionLanguages::find(strCode);
    if (!pWanted)
        loaded.strProblem = QStringLiteral("The handwriting language \"%1\" is unknown.").arg(strCode);
    else if (!CRecognitionLanguages::isInstalled(*pWanted) ||
             !(loaded.pEngine = loadEngine(*pWanted, *pAbandoned)))
        loaded.strProblem = QStringLiteral("The handwriting data for %1 is not installed in %2.")
                                .arg(pWanted->strName, CRecognitionLanguages::dataDirectory());
    else
        return loaded;

    if (pInUse) {
        loaded.strProblem += QStringLiteral(" %1 is used instead.").arg(pInUse->strName);
        return loaded;
    }
    loaded.pEngine = loadEngine(CRecognitionLanguages::fallback(), *pAbandoned);
    loaded.strProblem += loaded.pEngine
                             ? QStringLiteral(" English is used instead.")
                             : QStringLiteral(" No handwriting can be read until it is installed.");
    return loaded;
}

} // namespace

CTesseractRecognizer::CTesseractRecognizer()
{
    connect(&m_loadWatcher, &QFutureWatcher<SLoaded>::finished, this, &CTesseractRecognizer::finishLoad);
}

CTesseractRecognizer::CTesseractRecognizer(const QString& strLanguage, QString* pstrProblem)
    : CTesseractRecognizer()
{
    setLanguage(strLanguage, pstrProblem);
}

CTesseractRecognizer::~CTesseractRecognizer()
{
    // The worker must not outlive the object that takes its result; a result nobody takes is dropped,
    // so the load stops where it can.
    if (m_pAbandoned)
        *m_pAbandoned = true;
    m_load.waitForFinished();
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
    if (m_pEngine)
        return QStringLiteral("Handwriting (%1)").arg(m_pEngine->pLanguage->strName);
    return m_bLoading ? QStringLiteral("Handwriting (loading)")
                      : QStringLiteral("Handwriting (no language data)");
}

QString CTesseractRecognizer::language() const
{
    return m_pEngine ? m_pEngine->pLanguage->strCode : QString();
}

const CWordList& CTesseractRecognizer::words() const
{
    static const CWordList s_none;
    return m_pEngine ? m_pEngine->words : s_none;
}

bool CTesseractRecognizer::requestLanguage(const QString& strCode)
{
    if (m_bLoading) {
        m_strNext = strCode == m_strLoading ? QString() : strCode;
        return true;
    }
    if (m_pEngine && m_pEngine->pLanguage->strCode == strCode)
        return false;
    startLoad(strCode);
    return true;
}

void CTesseractRecognizer::startLoad(const QString& strCode)
{
    m_bLoading = true;
    m_strLoading = strCode;
    m_pAbandoned = std::make_shared<std::atomic<bool>>(false);
    m_load =
        QtConcurrent::run(loadLanguage, strCode, m_pEngine ? m_pEngine->pLanguage : nullptr, m_pAbandoned);
    m_loadWatcher.setFuture(m_load);
    emit signalLanguageLoading(strCode);
}

void CTesseractRecognizer::finishLoad()
{
    // The watcher's news may come after the result was taken, or while the next load still runs.
    if (!m_bLoading || !m_load.isFinished())
        return;
    const SLoaded loaded = m_load.result();
    m_load = QFuture<SLoaded>();
    if (loaded.pEngine) {
        // The language that goes takes a while to free, and nothing waits for it.
        auto* pGoing = new std::shared_ptr<SEngine>(std::exchange(m_pEngine, loaded.pEngine));
        QtConcurrent::run([pGoing] { delete pGoing; });
    }
    m_strLastProblem = m_reported.contains(loaded.strCode) ? QString() : loaded.strProblem;
    if (!loaded.strProblem.isEmpty())
        m_reported.insert(loaded.strCode);
    m_bLoading = false;
    if (!m_strNext.isEmpty())
        startLoad(std::exchange(m_strNext, QString()));
    emit signalLanguageLoaded(loaded.strCode, language(), m_strLastProblem);
}

void CTesseractRecognizer::waitForLanguage()
{
    while (m_bLoading) {
        m_load.waitForFinished();
        finishLoad();
    }
}

QString CTesseractRecognizer::setLanguage(const QString& strCode, QString* pstrProblem)
{
    const bool bLoaded = requestLanguage(strCode);
    waitForLanguage();
    if (pstrProblem)
        *pstrProblem = bLoaded ? m_strLastProblem : QString();
    return language();
}

QVector<SEngineWord> CTesseractRecognizer::readWords(const QImage& image, int iLayout)
{
    QVector<SEngineWord> words;
    if (!m_pEngine || image.isNull())
        return words;
    tesseract::TessBaseAPI* pApi = m_pEngine->pApi.get();
    const QImage grey = image.convertToFormat(QImage::Format_Grayscale8);
    switch (iLayout) {
    case CInkLayout::eWord:
        pApi->SetPageSegMode(tesseract::PSM_SINGLE_WORD);
        break;
    case CInkLayout::eLine:
        pApi->SetPageSegMode(tesseract::PSM_SINGLE_LINE);
        break;
    default:
        pApi->SetPageSegMode(tesseract::PSM_SINGLE_BLOCK);
        break;
    }
    pApi->SetImage(grey.constBits(), grey.width(), grey.height(), 1, grey.bytesPerLine());
    pApi->SetSourceResolution(300);
    tesseract::ETEXT_DESC monitor;
    monitor.set_deadline_msecs(c_iDeadlineMs);
    if (pApi->Recognize(&monitor) != 0) {
        pApi->Clear();
        return words;
    }
    std::unique_ptr<tesseract::ResultIterator> pIt(pApi->GetIterator());
    CLexiconDecoder::CStepChoices steps;
    auto finishWord = [&]() {
        if (!words.isEmpty())
            words.last().matrix = m_pEngine->decoder.matrix(steps);
        steps.clear();
    };
    if (pIt) {
        do {
            // A choice iterator made on an empty result takes the process down.
            if (pIt->Empty(tesseract::RIL_SYMBOL))
                continue;
            if (words.isEmpty() || pIt->IsAtBeginningOf(tesseract::RIL_WORD)) {
                finishWord();
                SEngineWord word;
                if (!words.isEmpty())
                    word.strBefore = pIt->IsAtBeginningOf(tesseract::RIL_TEXTLINE) ? QStringLiteral("\n")
                                                                                   : QStringLiteral(" ");
                std::unique_ptr<char[]> pText(pIt->GetUTF8Text(tesseract::RIL_WORD));
                word.strText = pText ? QString::fromUtf8(pText.get()).trimmed() : QString();
                words.append(word);
            }
            tesseract::ChoiceIterator choice(*pIt);
            const auto* pSteps = choice.Timesteps();
            if (!pSteps)
                continue;
            for (const auto& step : *pSteps) {
                QVector<QPair<QString, float>> symbols;
                symbols.reserve(int(step.size()));
                for (const auto& symbol : step)
                    symbols.append(qMakePair(QString::fromUtf8(symbol.first), symbol.second));
                steps.append(symbols);
            }
        } while (pIt->Next(tesseract::RIL_SYMBOL));
        finishWord();
    }
    pApi->Clear();
    return words;
}

QStringList CTesseractRecognizer::rankReadings(const QVector<QVector<SEngineWord>>& views,
                                               const QString& strEngine) const
{
    const SOtherDrawings other = otherDrawings(views);
    QVector<SScored> beam{SScored()};
    for (const SEngineWord& word : views.first())
        beam = extendBeam(beam, scoreWord(m_pEngine->decoder, m_pEngine->words, word, other), word.strBefore);
    QStringList readings = distinctReadings(beam, m_iMaxReadings);
    // The engine's own reading stays on offer: it is the one that can spell what no list has.
    CReadingRanker::keepReading(readings, strEngine, m_iMaxReadings);
    return readings;
}

QStringList CTesseractRecognizer::recognize(const QVector<QVector<QPointF>>& strokes)
{
    // The writing was meant for the language being loaded. The window keeps painting meanwhile; the
    // user's input waits, as it would for the reading itself.
    if (m_bLoading && QCoreApplication::instance() && thread() == QThread::currentThread()) {
        QEventLoop loop;
        connect(this, &CTesseractRecognizer::signalLanguageLoaded, &loop, [this, &loop] {
            if (!m_bLoading)
                loop.quit();
        });
        if (m_bLoading)
            loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    waitForLanguage();
    m_timings = STimings();
    QElapsedTimer timer;
    timer.start();
    const CInkLayout layout(strokes);
    if (layout.layout() == CInkLayout::eEmpty || !m_pEngine)
        return QStringList();
    // A single line is sized by all its ink, as the engine was measured; lines of a block by the
    // typical line, so that one tall flourish does not shrink the rest.
    const double dLineHeight =
        layout.layout() == CInkLayout::eBlock ? layout.lineHeight() : layout.bounds().height();
    // The engine learnt upright print; leaning joined-up writing reads better stood up.
    const QVector<QVector<QPointF>> upright = CInkRenderer::sheared(strokes, CInkRenderer::slant(strokes));
    const QImage image = m_renderer.render(upright, dLineHeight);
    m_timings.dRenderMs = elapsedMs(timer);

    timer.restart();
    QVector<QVector<SEngineWord>> views{readWords(image, layout.layout())};
    // Other drawings only help to choose a single word; several words need not come out alike.
    if (views.first().size() == 1) {
        m_timings.dRecognizeMs = elapsedMs(timer);
        timer.restart();
        CInkRenderer narrower = m_renderer;
        narrower.setPadding(c_iSecondPadding);
        const QImage second = narrower.render(upright, dLineHeight);
        m_timings.dRenderMs += elapsedMs(timer);
        timer.restart();
        views.append(readWords(second, CInkLayout::eWord));
    }
    m_timings.dRecognizeMs += elapsedMs(timer);

    timer.restart();
    const QString strEngine = engineText(views.first());
    const QStringList readings =
        CReadingRanker(&m_pEngine->words).rank(rankReadings(views, strEngine), m_iMaxReadings, strEngine);
    m_timings.dRankMs = elapsedMs(timer);
    return readings;
}
