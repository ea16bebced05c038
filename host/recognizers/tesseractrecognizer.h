// The host's own handwriting recognizer. It draws the writing in memory, upright, reads it with the
// Tesseract engine as a word, a line or a block of lines as the ink lies, and reads each word the
// engine found as the word of its language's lists that best explains the engine's step-by-step
// certainties, weighed by how common the word is. A single word is drawn and read twice. Works
// offline; the language data comes from the system's packages. Loading a language takes seconds, so
// it is done on a worker thread while the language in use reads on.
#pragma once

#include "inkrenderer.h"
#include "lexicondecoder.h"
#include "recognizer.h"
#include "wordlist.h"

#include <QFuture>
#include <QFutureWatcher>
#include <QObject>
#include <QSet>
#include <atomic>
#include <memory>

struct SRecognitionLanguage;

class CTesseractRecognizer : public QObject, public CRecognizer
{
    Q_OBJECT

public:
    // Time spent on the last writing, in milliseconds.
    struct STimings
    {
        double dRenderMs = 0.0;
        double dRecognizeMs = 0.0;
        double dRankMs = 0.0;
    };

    // Starts without a language: nothing is read until one is asked for.
    CTesseractRecognizer();
    // Starts in the given language, or in English where its data is missing (see setLanguage); the
    // language is loaded before it returns.
    explicit CTesseractRecognizer(const QString& strLanguage, QString* pstrProblem = nullptr);
    ~CTesseractRecognizer() override;

    static QString recognizerName();
    QString getName() const override;
    QString getDisplayName() const override;
    // Writing that arrives while a language loads waits for it and is read in the new language.
    QStringList recognize(const QVector<QVector<QPointF>>& strokes) override;

    // Starts loading a language in the background and returns at once. The language in use reads on
    // until the new one is ready and signalLanguageLoaded() says so; a request made while another
    // loads is loaded after it. False when the language is in use already and nothing is loaded.
    bool requestLanguage(const QString& strCode);
    // Switches to a language, waiting for it, and answers the language in use. A language that is
    // unknown or whose data is missing leaves the language in use before, or English at the start;
    // strProblem then says why, the first time only.
    QString setLanguage(const QString& strCode, QString* pstrProblem = nullptr);
    QString language() const;
    // True from a request until its language is in use or refused.
    bool isLoading() const { return m_bLoading; }
    // The language being loaded; empty while none is.
    QString loadingLanguage() const { return m_bLoading ? m_strLoading : QString(); }
    // Waits until the languages asked for are in use or refused.
    void waitForLanguage();
    // False when no language is in use, not even English: every writing then reads as nothing.
    bool isReady() const { return m_pEngine != nullptr; }

    int maxReadings() const { return m_iMaxReadings; }
    CInkRenderer& renderer() { return m_renderer; }
    const CWordList& words() const;
    STimings lastTimings() const { return m_timings; }

    // One word as the engine read it in one drawing of the ink.
    struct SEngineWord
    {
        QString strText;
        // What separates it from the word before: nothing, a space or a line feed.
        QString strBefore;
        CLexiconDecoder::SMatrix matrix;
    };

    // The engine and the word lists of one language, built together off the GUI thread.
    struct SEngine;
    // What a load brought: the engine, or null with the reason it failed.
    struct SLoaded
    {
        std::shared_ptr<SEngine> pEngine;
        QString strCode;
        QString strProblem;
    };

signals:
    // A language started loading; the one in use reads on meanwhile.
    void signalLanguageLoading(const QString& strCode);
    // The load of strRequested ended: strInUse is the language now read, strProblem says why it is
    // not the one requested (empty when it is, or when that was said before).
    void signalLanguageLoaded(const QString& strRequested, const QString& strInUse,
                              const QString& strProblem);

private:
    void startLoad(const QString& strCode);
    // Puts the result of the finished load in use and starts the next request, if any.
    void finishLoad();
    QVector<SEngineWord> readWords(const QImage& image, int iLayout);
    // The readings of the words the engine found, as the word lists explain them, with the engine's
    // own reading strEngine kept among them.
    QStringList rankReadings(const QVector<QVector<SEngineWord>>& views, const QString& strEngine) const;

    std::shared_ptr<SEngine> m_pEngine;
    QFuture<SLoaded> m_load;
    std::shared_ptr<std::atomic<bool>> m_pAbandoned;
    QFutureWatcher<SLoaded> m_loadWatcher;
    bool m_bLoading = false;
    QString m_strLoading;
    // The latest request made while another language was loading.
    QString m_strNext;
    QString m_strLastProblem;
    CInkRenderer m_renderer;
    QSet<QString> m_reported;
    STimings m_timings;
    int m_iMaxReadings = 5;
};
