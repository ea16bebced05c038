// Measures the handwriting recognizer on recorded words: reads W3C InkML files (or folders of them)
// whose trace groups are annotated with what was written, recognizes every group, and ends with one
// line that scripts read:
//   words=N top1=P% top1_nocase=P% top5_nocase=P% cer=P% median_ms=M p95_ms=M
#include "benchstart.h"
#include "inkmlreader.h"
#include "orderstatistics.h"
#include "recognitionlanguage.h"
#include "tesseractrecognizer.h"

#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
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
    parser.addOptions({langOption, listOption, lineHeightOption, penOption});
    parser.addPositionalArgument(QStringLiteral("files"), QStringLiteral("InkML files or folders of them."));
    parser.process(app);

    const QStringList files = inkFiles(parser.positionalArguments());
    if (files.isEmpty()) {
        std::fprintf(stderr, "recognition: give InkML files or folders\n");
        return 2;
    }
    CTesseractRecognizer recognizer;
    QString strProblem;
    const QString strLanguage = recognizer.setLanguage(parser.value(langOption), &strProblem);
    if (!strProblem.isEmpty())
        std::fprintf(stderr, "recognition: %s\n", qPrintable(strProblem));
    if (!recognizer.isReady())
        return 1;
    if (parser.isSet(lineHeightOption))
        recognizer.renderer().setLineHeight(parser.value(lineHeightOption).toDouble());
    if (parser.isSet(penOption))
        recognizer.renderer().setPenWidth(parser.value(penOption).toDouble());

    int iWords = 0, iTop1 = 0, iTop1NoCase = 0, iTop5NoCase = 0, iErrors = 0, iTruthChars = 0;
    QVector<double> totalMs, renderMs, recognizeMs, rankMs;
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
            const QStringList readings = recognizer.recognize(writing.strokes);
            totalMs.append(timer.nsecsElapsed() / 1.0e6);
            const CTesseractRecognizer::STimings timings = recognizer.lastTimings();
            renderMs.append(timings.dRenderMs);
            recognizeMs.append(timings.dRecognizeMs);
            rankMs.append(timings.dRankMs);

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
            if (parser.isSet(listOption))
                out() << QFileInfo(strFile).baseName() << '\t' << writing.strId << '\t' << writing.strTruth
                      << '\t' << (bInFive ? "+" : "-") << '\t' << readings.join(QLatin1Char('|')) << '\n';
        }
    }
    auto share = [&](int iCount) { return iWords ? 100.0 * iCount / iWords : 0.0; };
    out() << "language=" << strLanguage
          << " render_median_ms=" << QString::number(percentile(renderMs, 0.5), 'f', 2)
          << " recognize_median_ms=" << QString::number(percentile(recognizeMs, 0.5), 'f', 2)
          << " rank_median_ms=" << QString::number(percentile(rankMs, 0.5), 'f', 2) << '\n';
    out() << "words=" << iWords << " top1=" << QString::number(share(iTop1), 'f', 1)
          << "% top1_nocase=" << QString::number(share(iTop1NoCase), 'f', 1)
          << "% top5_nocase=" << QString::number(share(iTop5NoCase), 'f', 1)
          << "% cer=" << QString::number(iTruthChars ? 100.0 * iErrors / iTruthChars : 0.0, 'f', 1)
          << "% median_ms=" << QString::number(percentile(totalMs, 0.5), 'f', 1)
          << " p95_ms=" << QString::number(percentile(totalMs, 0.95), 'f', 1) << '\n';
    return 0;
}
