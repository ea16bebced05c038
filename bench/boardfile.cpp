// Saving and opening a full board: 10 pages of 1,000 components each, a mix like a day's lessons (text
// boxes, ink strokes of about 100 points, a few pictures). Saving is measured with the pages drawn as
// SVG, as an explicit save writes them, and without, as a copy written in the background would be.
#include "boardfile.h"
#include "component.h"
#include "topic.h"
#include "workspace.h"

#include <QApplication>
#include <QColor>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QImage>
#include <QPointF>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cmath>

namespace {

constexpr int c_iPages = 10;
constexpr int c_iComponents = 1000;

boost::shared_ptr<CComponent> textBox(int i)
{
    auto pBox = CComponent::create(QStringLiteral("text"));
    pBox->setPropertyValue(QStringLiteral("position"),
                           QPointF(200.0 + (i % 40) * 450.0, 300.0 + (i % 25) * 400.0));
    pBox->setPropertyValue(QStringLiteral("fontfamily"), QStringLiteral("DejaVu Sans"));
    pBox->setPropertyValue(QStringLiteral("fontsize"), 18.0 + i % 5);
    pBox->setPropertyValue(QStringLiteral("fontcolor"), QColor(Qt::darkBlue));
    pBox->setPropertyValue(QStringLiteral("bold"), i % 3 == 0);
    pBox->setPropertyValue(QStringLiteral("italic"), false);
    pBox->setPropertyValue(QStringLiteral("underline"), false);
    pBox->setPropertyValue(QStringLiteral("pencolor"), QColor(Qt::black));
    pBox->setPropertyValue(QStringLiteral("fillcolor"), QColor(255, 255, 200));
    pBox->setPropertyValue(QStringLiteral("linewidth"), 20.0);
    pBox->setPropertyValue(QStringLiteral("linestyle"), 1);
    pBox->setPropertyValue(QStringLiteral("alignment"), 1u);
    pBox->setPropertyValue(QStringLiteral("string"), QStringLiteral("Word number %1").arg(i));
    return pBox;
}

boost::shared_ptr<CComponent> inkStroke(int i)
{
    QVariantList points;
    for (int j = 0; j < 100; ++j)
        // Scene units from screen pixels: a tenth of a pixel is as fine as the board keeps.
        points.append(
            QPointF(std::round(10000.0 + j * 37.3 + i) / 10.0,
                    std::round(20000.0 + 3000.0 * std::sin(j * 0.2 + i) + (i % 30) * 2500.0) / 10.0));
    auto pInk = CComponent::create(QStringLiteral("ink"));
    pInk->setPropertyValue(QStringLiteral("strokes"), QVariantList{QVariant(points)});
    pInk->setPropertyValue(QStringLiteral("pencolor"), QStringLiteral("normal;#FF2040C0"));
    pInk->setPropertyValue(QStringLiteral("linewidth"), 30.0);
    return pInk;
}

boost::shared_ptr<CComponent> picture(int i)
{
    QImage image(320, 240, QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb((x * 3 + i) % 256, (y * 5) % 256, (x * y) % 256));
    auto pPicture = CComponent::create(QStringLiteral("picture"));
    pPicture->setPropertyValue(QStringLiteral("image"), image);
    pPicture->setPropertyValue(QStringLiteral("position"), QPointF(500.0 * i, 800.0));
    return pPicture;
}

// Each page: 498 text boxes, 500 strokes and 2 pictures.
CWorkspace& fullBoard()
{
    static CWorkspace s_board;
    if (s_board.topicAt(0)->componentCount() > 0)
        return s_board;
    std::vector<std::unique_ptr<CTopic>> pages;
    for (int iPage = 0; iPage < c_iPages; ++iPage) {
        auto pPage = std::make_unique<CTopic>();
        for (int i = 0; i < c_iComponents; ++i)
            pPage->addComponent(i % 500 == 0 ? picture(i / 500 + 2 * iPage)
                                : i % 2      ? inkStroke(i)
                                             : textBox(i));
        pages.push_back(std::move(pPage));
    }
    s_board.replaceTopics(std::move(pages));
    return s_board;
}

QString path(const char* szName)
{
    static QTemporaryDir s_dir;
    return s_dir.filePath(QLatin1String(szName));
}

void BM_Save(benchmark::State& state)
{
    CWorkspace& board = fullBoard();
    const bool bDrawPages = state.range(0) != 0;
    QString strError;
    for (auto _ : state)
        if (!CBoardFile::write(CBoardFile::snapshot(board, bDrawPages), path("saved.board"), &strError))
            state.SkipWithError(qPrintable(strError));
    state.SetLabel(bDrawPages ? "with SVG pages" : "without SVG pages");
    state.counters["MB"] = QFileInfo(path("saved.board")).size() / 1e6;
}

// Reading and checking alone, which may run off the GUI thread.
void BM_Decode(benchmark::State& state)
{
    QString strError;
    if (!CBoardFile::save(fullBoard(), path("decode.board"), &strError))
        state.SkipWithError(qPrintable(strError));
    for (auto _ : state) {
        CBoardFile::SBoard board;
        if (!CBoardFile::read(path("decode.board"), &board, &strError))
            state.SkipWithError(qPrintable(strError));
    }
}

void BM_Open(benchmark::State& state)
{
    CWorkspace& board = fullBoard();
    QString strError;
    if (!CBoardFile::save(board, path("open.board"), &strError))
        state.SkipWithError(qPrintable(strError));
    CWorkspace opened;
    for (auto _ : state) {
        // Each board opens over the full one opened before. The old pages go a moment after the new
        // ones are shown, in the event loop; that wait is not timed.
        if (!CBoardFile::open(path("open.board"), &opened, &strError))
            state.SkipWithError(qPrintable(strError));
        state.PauseTiming();
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < 300)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        state.ResumeTiming();
    }
    if (opened.topicCount() != c_iPages || opened.topicAt(c_iPages - 1)->componentCount() != c_iComponents)
        state.SkipWithError("the board did not open whole");
}

} // namespace

// Saving works on two cores: the CPU time is the whole process's, and the iterations go by the clock.
BENCHMARK(BM_Save)
    ->Arg(1)
    ->Arg(0)
    ->ArgName("svg")
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();
BENCHMARK(BM_Decode)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();
BENCHMARK(BM_Open)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
