// The board's handwriting recognizer. For the languages of Latin script it reads the pen's movement
// with the trained model and spells what it read with the language's word lists, case, digits and
// punctuation as written, each line of the writing on its own line. For the other languages, and
// whenever the model cannot be used, it reads with the printed-text engine; a model that cannot be
// used is reported once and the board keeps reading. The model and the word lists load on a worker
// thread; writing read ahead as the pen leaves the board is ready when the pause ends.
#pragma once

#include "inkmodel.h"
#include "lexicondecoder.h"
#include "recognizer.h"
#include "tesseractrecognizer.h"
#include "wordlist.h"

#include <QFuture>
#include <QFutureWatcher>
#include <QObject>
#include <QSet>
#include <QThreadPool>
#include <atomic>
#include <memory>

struct SRecognitionLanguage;

class CHandwritingRecognizer : public QObject, public CRecognizer
{
    Q_OBJECT

public:
    // Time spent on the last writing, in milliseconds; bReadAhead when it was read before it was asked
    // for, and dWaitMs then how long the question waited for the answer.
    struct STimings
    {
        double dFeaturesMs = 0.0;
        double dModelMs = 0.0;
        double dDecodeMs = 0.0;
        double dWaitMs = 0.0;
        bool bReadAhead = false;
    };

    // The model is looked for at strModelPath, or where CInkModel::defaultPath() says.
    explicit CHandwritingRecognizer(const QString& strModelPath = QString());
    ~CHandwritingRecognizer() override;

    static QString recognizerName();
    QString getName() const override;
    QString getDisplayName() const override;
    QStringList recognize(const QVector<QVector<QPointF>>& strokes) override;
    void readAhead(const QVector<QVector<QPointF>>& strokes) override;
    void dropReadAhead() override;
    // Waits at most iMs for the writing read ahead to be read; false when it is not, or none is.
    bool waitForReadAhead(int iMs);

    // Whether the model reads the language, rather than the printed-text engine.
    static bool modelReads(const QString& strCode);

    // As the printed-text engine's: a request loads in the background, the language in use reading
    // on until signalLanguageLoaded(); setLanguage() waits for it.
    bool requestLanguage(const QString& strCode);
    QString setLanguage(const QString& strCode, QString* pstrProblem = nullptr);
    QString language() const;
    bool isLoading() const { return m_bLoading; }
    QString loadingLanguage() const { return m_bLoading ? m_strLoading : QString(); }
    void waitForLanguage();
    // True when the model, not the printed-text engine, reads the language in use.
    bool readsWithModel() const { return m_pLexicon != nullptr; }

    int maxReadings() const { return m_iMaxReadings; }
    STimings lastTimings() const { return m_timings; }
    CTesseractRecognizer& printedTextEngine() { return m_printed; }

    // A language's word lists as the model's readings are spelled with, built off the GUI thread.
    struct SLexicon;
    struct SLoaded
    {
        std::shared_ptr<CInkModel> pModel;
        std::shared_ptr<SLexicon> pLexicon;
        QString strCode;
        QString strProblem;
    };

signals:
    void signalLanguageLoading(const QString& strCode);
    // As the printed-text engine's: strProblem is empty when strRequested is in use or the problem
    // was told before.
    void signalLanguageLoaded(const QString& strRequested, const QString& strInUse,
                              const QString& strProblem);

private:
    void startLoad(const QString& strCode);
    void finishLoad();
    void relayPrintedLoaded(const QString& strRequested, const QString& strInUse, const QString& strProblem);
    // Waits, keeping the window painted, until no load runs.
    void waitInEventLoop();

    QString m_strModelPath;
    std::shared_ptr<CInkModel> m_pModel;
    bool m_bModelTried = false;
    std::shared_ptr<SLexicon> m_pLexicon;
    CTesseractRecognizer m_printed;
    // True while the printed-text engine loads a language for us.
    bool m_bPrintedLoading = false;

    QFuture<SLoaded> m_load;
    QFutureWatcher<SLoaded> m_loadWatcher;
    std::shared_ptr<std::atomic<bool>> m_pAbandoned;
    bool m_bLoading = false;
    QString m_strLoading;
    QString m_strNext;
    QString m_strPendingProblem;
    // Languages whose problem was told already.
    QSet<QString> m_reported;

    // Reading ahead: one writing at a time on its own thread, the strokes it stands for, and a flag
    // that tells a reading nobody waits for any more to stop.
    struct SAhead;
    std::shared_ptr<SAhead> m_pAhead;
    QThreadPool m_aheadPool;

    STimings m_timings;
    int m_iMaxReadings = 8;
};
