#include "handwritingrecognizer.h"

#include "inkfeatures.h"
#include "inklayout.h"
#include "recognitionlanguage.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QThread>
#include <QtConcurrent>
#include <algorithm>

namespace {

// Readings of several lines kept while their lines are combined.
const int c_iLineBeam = 8;

double elapsedMs(const QElapsedTimer& timer)
{
    return timer.nsecsElapsed() / 1.0e6;
}

} // namespace

struct CHandwritingRecognizer::SLexicon
{
    const SRecognitionLanguage* pLanguage = nullptr;
    CWordList words;
    CLexiconDecoder decoder;
};

struct CHandwritingRecognizer::SAhead
{
    QVector<QVector<QPointF>> strokes;
    QFuture<QStringList> readings;
    std::atomic<bool> bDropped{false};
    STimings timings;
};

namespace {

using SLexicon = CHandwritingRecognizer::SLexicon;
using SLoaded = CHandwritingRecognizer::SLoaded;
using STimings = CHandwritingRecognizer::STimings;

std::shared_ptr<SLexicon> loadLexicon(const SRecognitionLanguage& language,
                                      const std::atomic<bool>& bAbandoned)
{
    auto pLexicon = std::make_shared<SLexicon>();
    pLexicon->pLanguage = &language;
    CWordList& words = pLexicon->words;
    CRecognitionLanguages::loadWords(language, words, bAbandoned);
    // In the lists' own order, so that ties break the same way on every run.
    for (const QString& strWord : words.entries()) {
        if (bAbandoned)
            return nullptr;
        pLexicon->decoder.addWord(strWord, words.prior(strWord), words.isName(strWord));
    }
    return pLexicon;
}

// Runs on a worker thread: the model, unless it is in already or failed before, and the language's
// lists. A model that cannot be loaded leaves pModel null with the reason.
// An unknown language leaves pInUse in use, or English at the start.
SLoaded loadForModel(const QString& strCode, std::shared_ptr<CInkModel> pModel, bool bModelTried,
                     const QString& strModelPath, const SRecognitionLanguage* pInUse,
                     const std::shared_ptr<std::atomic<bool>>& pAbandoned)
{
    SLoaded loaded;
    loaded.strCode = strCode;
    if (!pModel && !bModelTried)
        pModel = CInkModel::load(strModelPath, &loaded.strProblem);
    loaded.pModel = pModel;
    if (!pModel)
        return loaded;
    const SRecognitionLanguage* pLanguage = CRecognitionLanguages::find(strCode);
    if (!pLanguage) {
        const SRecognitionLanguage& instead = pInUse ? *pInUse : CRecognitionLanguages::fallback();
        loaded.strProblem = QStringLiteral("The handwriting language \"%1\" is unknown. %2 is used instead.")
                                .arg(strCode, instead.strName);
        if (pInUse)
            return loaded;
        pLanguage = &instead;
    }
    loaded.pLexicon = loadLexicon(*pLanguage, *pAbandoned);
    return loaded;
}

// One line of writing read by the model and spelled with the lists.
QVector<CLexiconDecoder::SReading> readLine(const CInkModel& model, const SLexicon& lexicon,
                                            const QVector<QVector<QPointF>>& strokes, STimings& timings,
                                            const std::atomic<bool>* pDropped)
{
    QElapsedTimer timer;
    timer.start();
    const std::vector<float> features = CInkFeatures::compute(strokes, model.step());
    timings.dFeaturesMs += elapsedMs(timer);
    if (features.empty() || (pDropped && *pDropped))
        return {};
    timer.restart();
    const CLexiconDecoder::SMatrix matrix = model.read(features);
    timings.dModelMs += elapsedMs(timer);
    if (pDropped && *pDropped)
        return {};
    timer.restart();
    CLexiconDecoder::SLineOptions options;
    const auto readings = lexicon.decoder.decodeLine(matrix, model.alphabet(), options);
    timings.dDecodeMs += elapsedMs(timer);
    return readings;
}

// Every line of the writing, top to bottom, each in the order it was written, read and combined
// into whole readings, best first.
QStringList readWriting(const CInkModel& model, const SLexicon& lexicon,
                        const QVector<QVector<QPointF>>& strokes, int iMax, STimings& timings,
                        const std::atomic<bool>* pDropped)
{
    timings = STimings();
    const CInkLayout layout(strokes);
    if (layout.layout() == CInkLayout::eEmpty)
        return {};
    QVector<QVector<int>> lines = layout.lines();
    if (layout.layout() != CInkLayout::eBlock) {
        lines = {QVector<int>()};
        for (const QVector<int>& line : layout.lines())
            lines.first() += line;
    }
    QVector<CLexiconDecoder::SReading> beam{CLexiconDecoder::SReading()};
    bool bFirst = true;
    for (QVector<int> line : lines) {
        // The model reads the pen's movement, so a line's strokes go in the order they were made.
        std::sort(line.begin(), line.end());
        QVector<QVector<QPointF>> lineStrokes;
        for (int iStroke : line)
            lineStrokes.append(strokes[iStroke]);
        const auto readings = readLine(model, lexicon, lineStrokes, timings, pDropped);
        if (readings.isEmpty())
            continue;
        QVector<CLexiconDecoder::SReading> next;
        for (const auto& partial : beam)
            for (const auto& reading : readings)
                next.append({partial.strText + (bFirst ? QString() : QStringLiteral("\n")) + reading.strText,
                             partial.dScore + reading.dScore});
        std::stable_sort(next.begin(), next.end(),
                         [](const auto& a, const auto& b) { return a.dScore > b.dScore; });
        if (next.size() > std::max(c_iLineBeam, iMax))
            next.resize(std::max(c_iLineBeam, iMax));
        beam = next;
        bFirst = false;
    }
    QStringList result;
    for (const auto& reading : beam)
        if (!reading.strText.trimmed().isEmpty() && result.size() < iMax)
            result.append(reading.strText);
    return result;
}

} // namespace

CHandwritingRecognizer::CHandwritingRecognizer(const QString& strModelPath)
    : m_strModelPath(strModelPath.isEmpty() ? CInkModel::defaultPath() : strModelPath)
{
    // One writing is read ahead at a time; a dropped one finishes its step and stops.
    m_aheadPool.setMaxThreadCount(1);
    connect(&m_loadWatcher, &QFutureWatcher<SLoaded>::finished, this, &CHandwritingRecognizer::finishLoad);
    connect(&m_printed, &CTesseractRecognizer::signalLanguageLoaded, this,
            &CHandwritingRecognizer::relayPrintedLoaded);
}

CHandwritingRecognizer::~CHandwritingRecognizer()
{
    if (m_pAbandoned)
        *m_pAbandoned = true;
    dropReadAhead();
    m_load.waitForFinished();
    m_aheadPool.waitForDone();
}

QString CHandwritingRecognizer::recognizerName()
{
    return CTesseractRecognizer::recognizerName();
}

QString CHandwritingRecognizer::getName() const
{
    return recognizerName();
}

QString CHandwritingRecognizer::getDisplayName() const
{
    if (m_pLexicon)
        return QStringLiteral("Handwriting (%1)").arg(m_pLexicon->pLanguage->strName);
    if (m_bLoading && !m_bPrintedLoading)
        return QStringLiteral("Handwriting (loading)");
    return m_printed.getDisplayName();
}

bool CHandwritingRecognizer::modelReads(const QString& strCode)
{
    return strCode == QLatin1String("en") || strCode == QLatin1String("de") || strCode == QLatin1String("fr");
}

QString CHandwritingRecognizer::language() const
{
    return m_pLexicon ? m_pLexicon->pLanguage->strCode : m_printed.language();
}

bool CHandwritingRecognizer::requestLanguage(const QString& strCode)
{
    if (m_bLoading) {
        m_strNext = strCode == m_strLoading ? QString() : strCode;
        return true;
    }
    if (language() == strCode && !m_printed.isLoading())
        return false;
    startLoad(strCode);
    return true;
}

void CHandwritingRecognizer::startLoad(const QString& strCode)
{
    m_bLoading = true;
    m_strLoading = strCode;
    emit signalLanguageLoading(strCode);
    const bool bUnknown = !CRecognitionLanguages::find(strCode);
    if ((!modelReads(strCode) && !bUnknown) || (m_bModelTried && !m_pModel)) {
        m_bPrintedLoading = true;
        // The printed-text engine tells when it is done; a language it has in use already is done.
        if (!m_printed.requestLanguage(strCode))
            QMetaObject::invokeMethod(
                this, [this, strCode] { relayPrintedLoaded(strCode, m_printed.language(), QString()); },
                Qt::QueuedConnection);
        return;
    }
    m_bPrintedLoading = false;
    m_pAbandoned = std::make_shared<std::atomic<bool>>(false);
    const SRecognitionLanguage* pInUse = m_pLexicon ? m_pLexicon->pLanguage : nullptr;
    m_load = QtConcurrent::run([strCode, pModel = m_pModel, bTried = m_bModelTried, strPath = m_strModelPath,
                                pInUse, pAbandoned = m_pAbandoned] {
        return loadForModel(strCode, pModel, bTried, strPath, pInUse, pAbandoned);
    });
    m_loadWatcher.setFuture(m_load);
}

void CHandwritingRecognizer::finishLoad()
{
    if (!m_bLoading || m_bPrintedLoading || !m_load.isFinished())
        return;
    const SLoaded loaded = m_load.result();
    m_load = QFuture<SLoaded>();
    if (!m_bModelTried) {
        m_bModelTried = true;
        m_pModel = loaded.pModel;
    }
    if (!loaded.pModel) {
        // Said once, with what reads instead, when the printed-text engine has the language in use.
        m_strPendingProblem =
            loaded.strProblem + QStringLiteral(" Handwriting is read with the printed-text engine.");
        m_bPrintedLoading = true;
        if (!m_printed.requestLanguage(loaded.strCode))
            relayPrintedLoaded(loaded.strCode, m_printed.language(), QString());
        return;
    }
    if (loaded.pLexicon)
        m_pLexicon = loaded.pLexicon;
    m_bLoading = false;
    const QString strCode = loaded.strCode;
    const QString strProblem = m_reported.contains(strCode) ? QString() : loaded.strProblem;
    if (!loaded.strProblem.isEmpty())
        m_reported.insert(strCode);
    if (!m_strNext.isEmpty())
        startLoad(std::exchange(m_strNext, QString()));
    emit signalLanguageLoaded(strCode, language(), strProblem);
}

void CHandwritingRecognizer::relayPrintedLoaded(const QString& strRequested, const QString& strInUse,
                                                const QString& strProblem)
{
    if (!m_bLoading || !m_bPrintedLoading)
        return;
    // The model no longer reads: the printed-text engine's language is the one in use.
    if (!strInUse.isEmpty())
        m_pLexicon.reset();
    m_bLoading = false;
    m_bPrintedLoading = false;
    QString strTold = std::exchange(m_strPendingProblem, QString());
    if (!strProblem.isEmpty())
        strTold = strTold.isEmpty() ? strProblem : strTold + QLatin1Char(' ') + strProblem;
    if (!m_strNext.isEmpty())
        startLoad(std::exchange(m_strNext, QString()));
    emit signalLanguageLoaded(strRequested, language(), strTold);
}

void CHandwritingRecognizer::waitForLanguage()
{
    while (m_bLoading) {
        if (m_bPrintedLoading) {
            m_printed.waitForLanguage();
            // Its news comes as a signal, which has been delivered by now; a queued one is not.
            QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
            if (m_bLoading && m_bPrintedLoading)
                relayPrintedLoaded(m_strLoading, m_printed.language(), QString());
        } else {
            m_load.waitForFinished();
            finishLoad();
        }
    }
}

QString CHandwritingRecognizer::setLanguage(const QString& strCode, QString* pstrProblem)
{
    QString strProblem;
    QMetaObject::Connection connection =
        connect(this, &CHandwritingRecognizer::signalLanguageLoaded, this,
                [&strProblem](const QString&, const QString&, const QString& strWhy) {
                    if (!strWhy.isEmpty())
                        strProblem = strWhy;
                });
    requestLanguage(strCode);
    waitForLanguage();
    disconnect(connection);
    if (pstrProblem)
        *pstrProblem = strProblem;
    return language();
}

void CHandwritingRecognizer::waitInEventLoop()
{
    if (!m_bLoading || !QCoreApplication::instance() || thread() != QThread::currentThread())
        return;
    QEventLoop loop;
    connect(this, &CHandwritingRecognizer::signalLanguageLoaded, &loop, [this, &loop] {
        if (!m_bLoading)
            loop.quit();
    });
    if (m_bLoading)
        loop.exec(QEventLoop::ExcludeUserInputEvents);
}

void CHandwritingRecognizer::readAhead(const QVector<QVector<QPointF>>& strokes)
{
    dropReadAhead();
    if (!m_pLexicon || !m_pModel || m_bLoading)
        return;
    auto pAhead = std::make_shared<SAhead>();
    pAhead->strokes = strokes;
    std::shared_ptr<CInkModel> pModel = m_pModel;
    std::shared_ptr<SLexicon> pLexicon = m_pLexicon;
    const int iMax = m_iMaxReadings;
    // The work holds the model, the lists and its own record, so that none goes while it runs.
    pAhead->readings = QtConcurrent::run(&m_aheadPool, [pAhead, pModel, pLexicon, iMax] {
        return readWriting(*pModel, *pLexicon, pAhead->strokes, iMax, pAhead->timings, &pAhead->bDropped);
    });
    m_pAhead = pAhead;
}

bool CHandwritingRecognizer::waitForReadAhead(int iMs)
{
    if (!m_pAhead)
        return false;
    QElapsedTimer timer;
    timer.start();
    while (!m_pAhead->readings.isFinished() && timer.elapsed() < iMs)
        QThread::msleep(1);
    return m_pAhead->readings.isFinished();
}

void CHandwritingRecognizer::dropReadAhead()
{
    if (m_pAhead)
        m_pAhead->bDropped = true;
    m_pAhead.reset();
}

QStringList CHandwritingRecognizer::recognize(const QVector<QVector<QPointF>>& strokes)
{
    // Writing meant for the language being loaded waits for it, the window painted meanwhile.
    waitInEventLoop();
    waitForLanguage();
    if (!m_pLexicon || !m_pModel) {
        dropReadAhead();
        return m_printed.recognize(strokes);
    }
    // What was read ahead for other writing (the writing set aside by a stroke far away) stays.
    if (m_pAhead && m_pAhead->strokes == strokes) {
        const std::shared_ptr<SAhead> pAhead = std::exchange(m_pAhead, nullptr);
        QElapsedTimer timer;
        timer.start();
        const QStringList readings = pAhead->readings.result();
        m_timings = pAhead->timings;
        m_timings.bReadAhead = true;
        m_timings.dWaitMs = elapsedMs(timer);
        return readings;
    }
    return readWriting(*m_pModel, *m_pLexicon, strokes, m_iMaxReadings, m_timings, nullptr);
}
