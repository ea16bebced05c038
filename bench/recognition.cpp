// Measures the handwriting recognizer on recorded words: reads W3C InkML files (or folders of them)
// whose trace groups are annotated with what was written, recognizes every group, and ends with one
// line that scripts read:
//   words=N top1=P% top1_nocase=P% top5_nocase=P% cer=P% median_ms=M p95_ms=M
// With --lines each group is a line of words, and the line scripts read is
//   lines=N words=N words_right=P% lines_right=P% cer=P% median_ms=M p95_ms=M
// where a word is right when it is in the reading in its place (the longest common run of words).
// --engine printed measures the printed-text engine the board used before the model.
#include "benchstart.h"
#include "handwritingrecognizer.h"
#include "inkmlreader.h"
#include "inkmodel.h"
#include "orderstatistics.h"
#include "recognitionlanguage.h"
#include "tesseractrecognizer.h"

#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QTextStream>
#include <algorithm>
#include <cstdio>

namespace {

QTextStream& out()
{
    static QTextStream s_out(stdout);
    return s_out;
}

int editDistance(const QString& a, const QString& b)
{
    QVector<int> row(b.size() + 1);
    for (int j = 0; j <= b.size(); ++j)
        row[j] = j;
    for (int i = 1; i <= a.size(); ++i) {
        int iDiagonal = row[0];
        row[0] = i;
        for (int j = 1; j <= b.size(); ++j) {
            const int iAbove = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, iDiagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
            iDiagonal = iAbove;
        }
    }
    return row[b.size()];
}

// Words of the truth found in the reading in the same order.
int wordsRight(const QString& strReading, const QString& strTruth)
{
    const QStringList reading =
        strReading.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    const QStringList truth = strTruth.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    QVector<int> row(reading.size() + 1, 0);
    for (const QString& strWord : truth) {
        int iDiagonal = 0;
        for (int j = 1; j <= reading.size(); ++j) {
            const int iAbove = row[j];
            row[j] = strWord == reading[j - 1] ? iDiagonal + 1 : std::max(row[j], row[j - 1]);
            iDiagonal = iAbove;
        }
    }
    return row[reading.size()];
}

QStringList inkFiles(const QStringList& arguments)
{
    QStringList files;
    for (const QString& strArgument : arguments) {
        const QFileInfo info(strArgument);
        if (info.isDir()) {
            const QDir dir(strArgument);
            for (const QString& strName : dir.entryList({QStringLiteral("*.inkml")}, QDir::Files, QDir::Name))
                files.append(dir.filePath(strName));
        } else {
            files.append(strArgument);
        }
    }
    return files;
}

} // namespace

int main(int argc, char** argv)
{
    startMeasuring(argv);
    QGuiApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Measures the handwriting recognizer on annotated InkML words."));
    parser.addHelpOption();
    const QCommandLineOption langOption(QStringLiteral("lang"), QStringLiteral("Recognizer language code."),
                                        QStringLiteral("code"), QStringLiteral("en"));
    const QCommandLineOption listOption(QStringLiteral("list"),
                                        QStringLiteral("Print each word's readings."));
    const QCommandLineOption lineHeightOption(
        QStringLiteral("line-height"), QStringLiteral("Pixels of a line of writing."), QStringLiteral("px"));
    const QCommandLineOption penOption(QStringLiteral("pen-width"), QStringLiteral("Pixels of the pen."),
                                       QStringLiteral("px"));
    const QCommandLineOption linesOption(
        QStringLiteral("lines"), QStringLiteral("Each group is a line of words; report words right."));
    const QCommandLineOption engineOption(QStringLiteral("engine"),
                                          QStringLiteral("model (the board's) or printed (the text engine)."),
                                          QStringLiteral("name"), QStringLiteral("model"));
    parser.addOptions({langOption, listOption, lineHeightOption, penOption, linesOption, engineOption});
    parser.addPositionalArgument(QStringLiteral("files"), QStringLiteral("InkML files or folders of them."));
    parser.process(app);

    const QStringList files = inkFiles(parser.positionalArguments());
    if (files.isEmpty()) {
        std::fprintf(stderr, "recognition: give InkML files or folders\n");
        return 2;
    }
    const bool bPrinted = parser.value(engineOption) == QLatin1String("printed");
    const bool bLines = parser.isSet(linesOption);
    // The model's own load, timed alone: the recognizer loads it with the word lists.
    QElapsedTimer loadTimer;
    loadTimer.start();
    QString strProblem;
    const bool bModelLoads = bPrinted || CInkModel::load(CInkModel::defaultPath(), &strProblem) != nullptr;
    const double dModelLoadMs = loadTimer.nsecsElapsed() / 1.0e6;
    if (!bModelLoads)
        std::fprintf(stderr, "recognition: %s\n", qPrintable(strProblem));
    CHandwritingRecognizer recognizer;
    CTesseractRecognizer& printed = recognizer.printedTextEngine();
    loadTimer.restart();
    const QString strLanguage = bPrinted ? printed.setLanguage(parser.value(langOption), &strProblem)
                                         : recognizer.setLanguage(parser.value(langOption), &strProblem);
    // The whole language: the model again and the word lists, on the recognizer's worker thread.
    const double dLanguageLoadMs = loadTimer.nsecsElapsed() / 1.0e6;
    if (!strProblem.isEmpty())
        std::fprintf(stderr, "recognition: %s\n", qPrintable(strProblem));
    if (bPrinted ? !printed.isReady() : strLanguage.isEmpty())
        return 1;
    if (parser.isSet(lineHeightOption))
        printed.renderer().setLineHeight(parser.value(lineHeightOption).toDouble());
    if (parser.isSet(penOption))
        printed.renderer().setPenWidth(parser.value(penOption).toDouble());
    CRecognizer& engine = bPrinted ? static_cast<CRecognizer&>(printed) : recognizer;

    int iWords = 0, iTop1 = 0, iTop1NoCase = 0, iTop5NoCase = 0, iErrors = 0, iTruthChars = 0;
    int iLineWords = 0, iWordsRight = 0;
    QVector<double> totalMs, firstMs, secondMs, thirdMs;
    for (const QString& strFile : files) {
        CInkMLReader reader;
        if (!reader.readFile(strFile)) {
            std::fprintf(stderr, "recognition: %s\n", qPrintable(reader.errorString()));
            return 1;
        }
        for (const SInkWriting& writing : reader.writings()) {
            if (writing.strTruth.isEmpty())
                continue;
            QElapsedTimer timer;
            timer.start();
            const QStringList readings = engine.recognize(writing.strokes);
            totalMs.append(timer.nsecsElapsed() / 1.0e6);
            if (bPrinted) {
                const CTesseractRecognizer::STimings timings = printed.lastTimings();
                firstMs.append(timings.dRenderMs);
                secondMs.append(timings.dRecognizeMs);
                thirdMs.append(timings.dRankMs);
            } else {
                const CHandwritingRecognizer::STimings timings = recognizer.lastTimings();
                firstMs.append(timings.dFeaturesMs);
                secondMs.append(timings.dModelMs);
                thirdMs.append(timings.dDecodeMs);
            }

            ++iWords;
            const QString strFirst = readings.value(0);
            iTop1 += strFirst == writing.strTruth;
            iTop1NoCase += strFirst.compare(writing.strTruth, Qt::CaseInsensitive) == 0;
            bool bInFive = false;
            for (int i = 0; i < std::min(5, int(readings.size())); ++i)
                bInFive = bInFive || readings[i].compare(writing.strTruth, Qt::CaseInsensitive) == 0;
            iTop5NoCase += bInFive;
            iErrors += editDistance(strFirst, writing.strTruth);
            iTruthChars += writing.strTruth.size();
            iLineWords += writing.strTruth.count(QLatin1Char(' ')) + 1;
            iWordsRight += wordsRight(strFirst, writing.strTruth);
            if (parser.isSet(listOption))
                out() << QFileInfo(strFile).baseName() << '\t' << writing.strId << '\t' << writing.strTruth
                      << '\t' << (bInFive ? "+" : "-") << '\t' << readings.join(QLatin1Char('|')) << '\n';
        }
    }
    auto share = [&](int iCount) { return iWords ? 100.0 * iCount / iWords : 0.0; };
    const QStringList stages =
        bPrinted ? QStringList{QStringLiteral("render"), QStringLiteral("recognize"), QStringLiteral("rank")}
                 : QStringList{QStringLiteral("features"), QStringLiteral("model"), QStringLiteral("decode")};
    out() << "language=" << strLanguage << " engine=" << (bPrinted ? "printed" : "model");
    if (!bPrinted)
        out() << " model_load_ms=" << QString::number(dModelLoadMs, 'f', 1);
    out() << " language_load_ms=" << QString::number(dLanguageLoadMs, 'f', 1);
    out() << ' ' << stages[0] << "_median_ms=" << QString::number(percentile(firstMs, 0.5), 'f', 2) << ' '
          << stages[1] << "_median_ms=" << QString::number(percentile(secondMs, 0.5), 'f', 2) << ' '
          << stages[2] << "_median_ms=" << QString::number(percentile(thirdMs, 0.5), 'f', 2) << '\n';
    if (bLines) {
        out() << "lines=" << iWords << " words=" << iLineWords << " words_right="
              << QString::number(iLineWords ? 100.0 * iWordsRight / iLineWords : 0.0, 'f', 1)
              << "% lines_right=" << QString::number(share(iTop1), 'f', 1)
              << "% cer=" << QString::number(iTruthChars ? 100.0 * iErrors / iTruthChars : 0.0, 'f', 1)
              << "% median_ms=" << QString::number(percentile(totalMs, 0.5), 'f', 1)
              << " p95_ms=" << QString::number(percentile(totalMs, 0.95), 'f', 1) << '\n';
        return 0;
    }
    out() << "words=" << iWords << " top1=" << QString::number(share(iTop1), 'f', 1)
          << "% top1_nocase=" << QString::number(share(iTop1NoCase), 'f', 1)
          << "% top5_nocase=" << QString::number(share(iTop5NoCase), 'f', 1)
          << "% cer=" << QString::number(iTruthChars ? 100.0 * iErrors / iTruthChars : 0.0, 'f', 1)
          << "% median_ms=" << QString::number(percentile(totalMs, 0.5), 'f', 1)
          << " p95_ms=" << QString::number(percentile(totalMs, 0.95), 'f', 1) << '\n';
    return 0;
}
