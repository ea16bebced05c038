// From the end of the writing pause to a text box with the board's default recognizer
// ("Handwriting"), per word of recorded handwriting: each trace group of the InkML files is drawn on
// the board with the mouse at the size the replay gives it; the board reads it ahead as each stroke
// ends, as it does while the teacher pauses (given at most the pause, 1 s, to do so); then it is
// handed to the text pen, and the time until the box is there is taken. Ends with one line that
// scripts read:
//   words=N rounds=R median_ms=M p95_ms=M wait_ms=M plugin_ms=M read_ahead=P% read_ms=M right=P%
// (per-word medians; wait = the hand-over waiting for a reading still under way; plugin = the rest,
// the plug-in and the board; read_ahead = words whose reading was ready or under way; read_ms = the
// reading's own time, in the background; right = boxes that read the annotated word).
// --engine printed times the printed-text engine, which reads after the pause, as the board did.
#include "benchboard.h"
#include "benchstart.h"
#include "component.h"
#include "controllayer.h"
#include "handwritingrecognizer.h"
#include "inkreplay.h"
#include "orderstatistics.h"
#include "orreryview.h"
#include "pentool.h"
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
    const QCommandLineOption engineOption(QStringLiteral("engine"), QStringLiteral("model or printed."),
                                          QStringLiteral("name"), QStringLiteral("model"));
    parser.addOptions({roundsOption, listOption, engineOption});
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

    const bool bPrinted = parser.value(engineOption) == QLatin1String("printed");
    auto pEngine = boost::make_shared<CHandwritingRecognizer>();
    QString strProblem;
    if (bPrinted)
        pEngine->printedTextEngine().setLanguage(QStringLiteral("en"), &strProblem);
    else
        pEngine->setLanguage(QStringLiteral("en"), &strProblem);
    if (bPrinted ? !pEngine->printedTextEngine().isReady() : !pEngine->readsWithModel()) {
        std::fprintf(stderr, "handwriting: %s\n", qPrintable(strProblem));
        return 1;
    }
    boost::shared_ptr<CRecognizer> pReader(pEngine,
                                           bPrinted ? static_cast<CRecognizer*>(&pEngine->printedTextEngine())
                                                    : static_cast<CRecognizer*>(pEngine.get()));
    CBenchBoard board;
    QString strError;
    if (!board.start(pReader, &strError)) {
        std::fprintf(stderr, "handwriting: %s\n", qPrintable(strError));
        return 1;
    }

    QVector<double> totalMs, waitMs, readMs, restMs;
    int iRight = 0, iAhead = 0;
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
                // The pause: the reading started at the last stroke's end has this long.
                if (!bPrinted)
                    pEngine->waitForReadAhead(CPenTool::writingPauseMs());
                const double dTotal = board.penUp() / 1.0e6;
                const CHandwritingRecognizer::STimings timings = pEngine->lastTimings();
                QString strReading;
                if (board.topic()->componentCount() == iBefore + 1)
                    strReading = board.topic()
                                     ->components()
                                     .last()
                                     ->getPropertyValue(QStringLiteral("string"))
                                     .toString();
                iRight += !piece.strTruth.isEmpty() && strReading == piece.strTruth;
                totalMs.append(dTotal);
                const double dRead = timings.dFeaturesMs + timings.dModelMs + timings.dDecodeMs;
                const double dWait = bPrinted ? 0.0 : timings.bReadAhead ? timings.dWaitMs : dRead;
                iAhead += timings.bReadAhead;
                waitMs.append(dWait);
                readMs.append(dRead);
                restMs.append(dTotal - dWait);
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

    auto shareOf = [&](int iCount) {
        return QString::number(totalMs.isEmpty() ? 0.0 : 100.0 * iCount / totalMs.size(), 'f', 1);
    };
    out() << "words=" << totalMs.size() / iRounds << " rounds=" << iRounds
          << " median_ms=" << number(percentile(totalMs, 0.5))
          << " p95_ms=" << number(percentile(totalMs, 0.95)) << " wait_ms=" << number(percentile(waitMs, 0.5))
          << " plugin_ms=" << number(percentile(restMs, 0.5)) << " read_ahead=" << shareOf(iAhead)
          << "% read_ms=" << number(percentile(readMs, 0.5))
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
