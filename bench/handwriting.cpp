// From pen-up to a text box with the board's default recognizer ("Handwriting"), per word of recorded
// handwriting: each trace group of the InkML files is drawn on the board with the mouse at the size
// the replay gives it, then handed to the text pen, and the time until the box is there is taken.
// Each time is split into drawing the ink for the engine, the engine's reading, the word search and
// ordering, and the rest (the plug-in and the board). Ends with one line that scripts read:
//   words=N rounds=R median_ms=M p95_ms=M render_ms=M engine_ms=M rank_ms=M plugin_ms=M
//   render_share=P% engine_share=P% rank_share=P% plugin_share=P% right=P%
// (per-word medians; shares of the summed time; right = boxes that read the annotated word).
#include "benchboard.h"
#include "benchstart.h"
#include "component.h"
#include "controllayer.h"
#include "inkreplay.h"
#include "orderstatistics.h"
#include "orreryview.h"
#include "tesseractrecognizer.h"
#include "topic.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QGraphicsScene>
#include <QTextStream>
#include <QUndoStack>
#include <algorithm>
#include <boost/make_shared.hpp>
#include <cstdio>

namespace {

QTextStream& out()
{
    static QTextStream s_out(stdout);
    return s_out;
}

double sum(const QVector<double>& values)
{
    double dSum = 0.0;
    for (double d : values)
        dSum += d;
    return dSum;
}

QString number(double d)
{
    return QString::number(d, 'f', 1);
}

int run(int argc, char** argv)
{
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Times pen-up to text box with the handwriting recognizer."));
    parser.addHelpOption();
    const QCommandLineOption roundsOption(QStringLiteral("rounds"),
                                          QStringLiteral("Times each word is written."), QStringLiteral("n"),
                                          QStringLiteral("5"));
    const QCommandLineOption listOption(QStringLiteral("list"), QStringLiteral("Print each pen-up."));
    parser.addOptions({roundsOption, listOption});
    parser.addPositionalArgument(QStringLiteral("files"),
                                 QStringLiteral("InkML files (the samples by default)."));
    parser.process(app);

    QStringList files = parser.positionalArguments();
    if (files.isEmpty()) {
        const QDir samples(QStringLiteral(SAMPLES_DIR));
        for (const QString& strName : samples.entryList({QStringLiteral("*.inkml")}, QDir::Files, QDir::Name))
            files.append(samples.filePath(strName));
    }
    const int iRounds = std::max(1, parser.value(roundsOption).toInt());

    auto pEngine = boost::make_shared<CTesseractRecognizer>(QStringLiteral("en"));
    if (!pEngine->isReady()) {
        std::fprintf(stderr, "handwriting: the recognizer has no language data\n");
        return 1;
    }
    CBenchBoard board;
    QString strError;
    if (!board.start(pEngine, &strError)) {
        std::fprintf(stderr, "handwriting: %s\n", qPrintable(strError));
        return 1;
    }

    QVector<double> totalMs, renderMs, engineMs, rankMs, restMs;
    int iRight = 0;
    QUndoStack* pUndo = CControlLayer::get()->undoStack();
    for (int iRound = 0; iRound < iRounds; ++iRound) {
        for (const QString& strFile : qAsConst(files)) {
            CInkReplay replay;
            if (!replay.load(strFile)) {
                std::fprintf(stderr, "handwriting: %s\n", qPrintable(replay.errorString()));
                return 1;
            }
            // The view shows the whole writing from the page's corner, as the replay's does.
            QRectF bounds = board.view()->scene()->sceneRect();
            for (const SInkWriting& piece : replay.pieces())
                for (const QVector<QPointF>& stroke : piece.strokes)
                    for (const QPointF& point : stroke)
                        bounds |= QRectF(point, QSizeF(CInkReplay::c_dMarginPx, CInkReplay::c_dMarginPx));
            board.view()->scene()->setSceneRect(bounds);
            board.view()->resize(bounds.size().toSize() + QSize(64, 64));
            QApplication::processEvents();

            for (const SInkWriting& piece : replay.pieces()) {
                const int iBefore = board.topic()->componentCount();
                board.write(piece.strokes);
                const double dTotal = board.penUp() / 1.0e6;
                const CTesseractRecognizer::STimings timings = pEngine->lastTimings();
                QString strReading;
                if (board.topic()->componentCount() == iBefore + 1)
                    strReading = board.topic()
                                     ->components()
                                     .last()
                                     ->getPropertyValue(QStringLiteral("string"))
                                     .toString();
                iRight += !piece.strTruth.isEmpty() && strReading == piece.strTruth;
                totalMs.append(dTotal);
                renderMs.append(timings.dRenderMs);
                engineMs.append(timings.dRecognizeMs);
                rankMs.append(timings.dRankMs);
                // The rest is the plug-in's and the board's, with the recognizer's small steps around
                // its three parts (the layout of the ink, its slant).
                restMs.append(dTotal - timings.dRenderMs - timings.dRecognizeMs - timings.dRankMs);
                if (parser.isSet(listOption))
                    out() << QFileInfo(strFile).baseName() << '\t' << piece.strId << '\t' << piece.strTruth
                          << '\t' << strReading << '\t' << number(dTotal) << " ms\n";
                QApplication::processEvents();
            }
            // The next file, or round, starts on an empty page.
            while (pUndo->canUndo())
                pUndo->undo();
            pUndo->clear();
        }
    }
    board.stop();

    const double dTotal = sum(totalMs);
    auto share = [&](const QVector<double>& values) {
        return dTotal > 0.0 ? QString::number(100.0 * sum(values) / dTotal, 'f', 1) + QLatin1Char('%')
                            : QStringLiteral("0%");
    };
    out() << "words=" << totalMs.size() / iRounds << " rounds=" << iRounds
          << " median_ms=" << number(percentile(totalMs, 0.5))
          << " p95_ms=" << number(percentile(totalMs, 0.95))
          << " render_ms=" << number(percentile(renderMs, 0.5))
          << " engine_ms=" << number(percentile(engineMs, 0.5))
          << " rank_ms=" << number(percentile(rankMs, 0.5))
          << " plugin_ms=" << number(percentile(restMs, 0.5)) << " render_share=" << share(renderMs)
          << " engine_share=" << share(engineMs) << " rank_share=" << share(rankMs)
          << " plugin_share=" << share(restMs)
          << " right=" << QString::number(totalMs.isEmpty() ? 0.0 : 100.0 * iRight / totalMs.size(), 'f', 1)
          << "%\n";
    out().flush();
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    startMeasuring(argv);
    return run(argc, argv);
}
