// From pen-up to a text box on the board, without recognition (a scripted recognizer answers at once),
// on boards of growing size: a new text box, and writing over a text box that it then replaces. Each
// pen-up is split into the recognizer's time, the host's work that the plug-in asks for (the commands
// that change the board, the board's search for the box under the writing, the removal of the
// writing's ink; see CHostClock) and the rest, which is the plug-in's own work with the pen base's
// hand-over. The board's search is also measured on its own at the same sizes.
//   penup [Google Benchmark options]
#include "benchboard.h"
#include "component.h"
#include "controllayer.h"
#include "hostclock.h"
#include "orreryview.h"
#include "pentool.h"
#include "scriptedrecognizer.h"
#include "topic.h"

#include <QApplication>
#include <QUndoStack>
#include <benchmark/benchmark.h>
#include <boost/make_shared.hpp>

namespace {

// The board is a grid of small text boxes, one per cell, left to right and top to bottom; the cell
// the new box is written into stays empty.
const int c_iColumns = 100;
const double c_dCellWidth = 160.0;
const double c_dCellHeight = 60.0;
const int c_iEmptyCell = 1;

CBenchBoard* s_pBoard = nullptr;
// The box in the first cell, which the overwrite writes over.
CComponent* s_pFirstBox = nullptr;

QPointF cellCorner(int iCell)
{
    return QPointF((iCell % c_iColumns) * c_dCellWidth, (iCell / c_iColumns) * c_dCellHeight);
}

// A word of three zigzag strokes inside the cell, over its text box but not its neighbours'.
QVector<QVector<QPointF>> wordInCell(int iCell)
{
    const QPointF corner = cellCorner(iCell) + QPointF(8.0, 6.0);
    QVector<QVector<QPointF>> strokes;
    for (int iStroke = 0; iStroke < 3; ++iStroke) {
        QVector<QPointF> stroke;
        for (int i = 0; i <= 8; ++i)
            stroke.append(corner + QPointF(iStroke * 45.0 + i * 5.0, i % 2 ? 0.0 : 44.0));
        strokes.append(stroke);
    }
    return strokes;
}

QRectF boundsOf(const QVector<QVector<QPointF>>& strokes)
{
    QRectF bounds;
    for (const QVector<QPointF>& stroke : strokes)
        for (const QPointF& point : stroke)
            bounds |= QRectF(point, QSizeF(1.0, 1.0));
    return bounds;
}

// A fresh board of iCount text boxes. Boxes go in below those already there, which the page does
// without looking at the others, so that filling a large board stays quick.
bool fillBoard(int iCount, QString* pstrError)
{
    if (!s_pBoard->start(boost::make_shared<CScriptedRecognizer>(), pstrError))
        return false;
    auto* pScripted = dynamic_cast<CScriptedRecognizer*>(s_pBoard->clock().inner());
    pScripted->setStandingAnswer({QStringLiteral("written"), QStringLiteral("writing")});
    s_pBoard->setPenProperty(QStringLiteral("overwritetextbox"), true);
    CTopic* pTopic = s_pBoard->topic();
    for (int i = 0, iCell = 0; i < iCount; ++i, ++iCell) {
        if (iCell == c_iEmptyCell)
            ++iCell;
        const boost::shared_ptr<CComponent> pBox = CComponent::create(QStringLiteral("text"));
        pBox->setPropertyValue(QStringLiteral("position"), cellCorner(iCell) + QPointF(10.0, 10.0));
        pBox->setPropertyValue(QStringLiteral("fontsize"), 12.0);
        pBox->setPropertyValue(QStringLiteral("string"), QStringLiteral("box %1").arg(i));
        pTopic->addComponent(pBox, i == 0 ? -1 : 0);
        if (iCell == 0)
            s_pFirstBox = pBox.get();
    }
    QApplication::processEvents();
    return true;
}

// One pen-up per iteration, timed alone: the writing is drawn before and the board put back after.
void measurePenUp(benchmark::State& state, int iCell, bool bNewBox)
{
    const int iCount = int(state.range(0));
    QString strError;
    if (!fillBoard(iCount, &strError)) {
        state.SkipWithError(qPrintable(strError));
        return;
    }
    CTopic* pTopic = s_pBoard->topic();
    QUndoStack* pUndo = CControlLayer::get()->undoStack();
    const QVector<QVector<QPointF>> strokes = wordInCell(iCell);
    double dTotalNs = 0.0, dRecognizerNs = 0.0, dCommandNs = 0.0, dSearchNs = 0.0, dInkNs = 0.0;
    for (auto _ : state) {
        s_pBoard->write(strokes);
        CHostClock::reset();
        const qint64 iTotal = s_pBoard->penUp();

        // What became of the writing is checked, or the time would be of something else.
        const bool bAsExpected = bNewBox ? pTopic->componentCount() == iCount + 1
                                         : pTopic->componentCount() == iCount &&
                                               s_pFirstBox->getPropertyValue(QStringLiteral("string")) ==
                                                   QStringLiteral("written");
        if (!bAsExpected || !pUndo->canUndo()) {
            state.SkipWithError("the writing did not become the expected text box");
            break;
        }
        pUndo->undo();
        QApplication::processEvents();

        state.SetIterationTime(iTotal / 1.0e9);
        dTotalNs += iTotal;
        dRecognizerNs += s_pBoard->clock().lastNs();
        dCommandNs += CHostClock::ns(CWorkClock::eCommand);
        dSearchNs += CHostClock::ns(CWorkClock::eSearch);
        dInkNs += CHostClock::ns(CWorkClock::eInk);
    }
    const auto average = benchmark::Counter::kAvgIterations;
    state.counters["recognizer_us"] = benchmark::Counter(dRecognizerNs / 1.0e3, average);
    state.counters["command_us"] = benchmark::Counter(dCommandNs / 1.0e3, average);
    state.counters["search_us"] = benchmark::Counter(dSearchNs / 1.0e3, average);
    state.counters["ink_us"] = benchmark::Counter(dInkNs / 1.0e3, average);
    state.counters["plugin_us"] =
        benchmark::Counter((dTotalNs - dRecognizerNs - dCommandNs - dSearchNs - dInkNs) / 1.0e3, average);
    s_pBoard->stop();
}

void BM_PenUpNewBox(benchmark::State& state)
{
    measurePenUp(state, c_iEmptyCell, true);
}

void BM_PenUpOverwrite(benchmark::State& state)
{
    measurePenUp(state, 0, false);
}

// The lookup the plug-in makes for the box under the writing, with the same rectangle.
void BM_BoardSearch(benchmark::State& state)
{
    QString strError;
    if (!fillBoard(int(state.range(0)), &strError)) {
        state.SkipWithError(qPrintable(strError));
        return;
    }
    const QRectF rect = boundsOf(wordInCell(0)).toRect();
    COrreryView* pView = s_pBoard->view();
    int iFound = 0;
    for (auto _ : state) {
        const QList<CComponent*> found =
            pView->componentsAt(rect, nullptr, Qt::IntersectsItemBoundingRect, true);
        iFound = found.size();
        benchmark::DoNotOptimize(iFound);
    }
    if (iFound != 1)
        state.SkipWithError("the search did not find the one box under the writing");
    s_pBoard->stop();
}

} // namespace

// A fixed number of pen-ups: the drawing and the putting back around each, not timed, cost more than
// the pen-up itself on a large board.
namespace {

void fixedPenUps(benchmark::internal::Benchmark* pBenchmark)
{
    pBenchmark->Arg(10)->Arg(1000)->Arg(10000)->Iterations(200)->UseManualTime()->Unit(
        benchmark::kMicrosecond);
}

} // namespace

BENCHMARK(BM_PenUpNewBox)->Apply(fixedPenUps);
BENCHMARK(BM_PenUpOverwrite)->Apply(fixedPenUps);
BENCHMARK(BM_BoardSearch)->Arg(10)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 2;
    CHostClock::start();
    CBenchBoard board;
    s_pBoard = &board;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    board.stop();
    s_pBoard = nullptr;
    return 0;
}
