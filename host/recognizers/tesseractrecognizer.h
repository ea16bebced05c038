// The host's own handwriting recognizer. It draws the writing in memory, upright, reads it with the
// Tesseract engine as a word, a line or a block of lines as the ink lies, and reads each word the
// engine found as the word of its language's lists that best explains the engine's step-by-step
// certainties, weighed by how common the word is. A single word is drawn and read twice. Works
// offline; the language data comes from the system's packages.
#pragma once

#include "inkrenderer.h"
#include "lexicondecoder.h"
#include "recognizer.h"
#include "wordlist.h"

#include <QSet>
#include <memory>

namespace tesseract {
class TessBaseAPI;
}
struct SRecognitionLanguage;

class CTesseractRecognizer : public CRecognizer
{
public:
    // Time spent on the last writing, in milliseconds.
    struct STimings
    {
        double dRenderMs = 0.0;
        double dRecognizeMs = 0.0;
        double dRankMs = 0.0;
    };

    // Starts in the given language, or in English where its data is missing (see setLanguage).
    explicit CTesseractRecognizer(const QString& strLanguage = QStringLiteral("en"),
                                  QString* pstrProblem = nullptr);
    ~CTesseractRecognizer() override;

    static QString recognizerName();
    QString getName() const override;
    QString getDisplayName() const override;
    QStringList recognize(const QVector<QVector<QPointF>>& strokes) override;

    // Switches to a language and answers the language in use. A language that is unknown or whose
    // data is missing leaves English in use; strProblem then says why, the first time only.
    QString setLanguage(const QString& strCode, QString* pstrProblem = nullptr);
    QString language() const;
    // False when not even English could be loaded: every writing then reads as nothing.
    bool isReady() const { return m_pApi != nullptr; }

    int maxReadings() const { return m_iMaxReadings; }
    CInkRenderer& renderer() { return m_renderer; }
    const CWordList& words() const { return m_words; }
    STimings lastTimings() const { return m_timings; }

    // One word as the engine read it in one drawing of the ink.
    struct SEngineWord
    {
        QString strText;
        // What separates it from the word before: nothing, a space or a line feed.
        QString strBefore;
        CLexiconDecoder::SMatrix matrix;
    };

private:
    bool load(const SRecognitionLanguage& language);
    QVector<SEngineWord> readWords(const QImage& image, int iLayout);
    // The readings of the words the engine found, as the word lists explain them, with the engine's
    // own reading strEngine kept among them.
    QStringList rankReadings(const QVector<QVector<SEngineWord>>& views, const QString& strEngine) const;

    std::unique_ptr<tesseract::TessBaseAPI> m_pApi;
    const SRecognitionLanguage* m_pLanguage = nullptr;
    CWordList m_words;
    CLexiconDecoder m_decoder;
    CInkRenderer m_renderer;
    QSet<QString> m_reported;
    STimings m_timings;
    int m_iMaxReadings = 5;
};
