// Bytes as an InkML file, read as the replay reads a file and laid out on the board as it lays out
// writing before the pen writes it. Whatever is accepted must come out as writing a board can take:
// every point a finite number, every piece with strokes, and a refusal always explained.
#include "inkmlreader.h"
#include "inkreplay.h"
#include "orrery.h"

#include <QApplication>
#include <QTemporaryDir>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

void failure(const char* szWhat)
{
    fprintf(stderr, "fuzz_inkml: %s\n", szWhat);
    abort();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* /*piArgc*/, char*** /*pArgv*/)
{
    static int s_iArgc = 1;
    static char s_szName[] = "fuzz_inkml";
    static char* s_argv[] = {s_szName, nullptr};
    // The host's pages are graphics scenes, which need the widgets' application.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    new QApplication(s_iArgc, s_argv);
    // The writing pause comes from the user settings, which must not be the user's own.
    static QTemporaryDir s_dir;
    SHostOptions options;
    options.strSettingsFile = s_dir.filePath(QStringLiteral("settings.ini"));
    COrrery::reset(options);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t iSize)
{
    const QByteArray data(reinterpret_cast<const char*>(pData), int(iSize));

    CInkMLReader reader;
    const bool bRead = reader.readData(data, QStringLiteral("input.inkml"));
    if (bRead != reader.errorString().isEmpty())
        failure("the reader's answer and its error disagree");
    if (bRead) {
        if (reader.traceCount() <= 0)
            failure("a file was accepted without traces");
        // Pauses from none to longer than any file.
        for (const double dPause : {0.0, 1000.0, 1.0e300})
            for (const SInkWriting& writing : reader.writings(dPause)) {
                if (writing.strokes.isEmpty())
                    failure("a piece of writing has no strokes");
                if (!writing.strokeStartMs.isEmpty() &&
                    writing.strokeStartMs.size() != writing.strokes.size())
                    failure("a piece's stroke times do not match its strokes");
                for (const QVector<QPointF>& stroke : writing.strokes)
                    if (stroke.isEmpty())
                        failure("a stroke has no points");
            }
    }

    CInkReplay replay;
    const bool bLoaded = replay.loadData(data, QStringLiteral("input.inkml"));
    // The replay refuses what the reader refuses, and writing that no board could hold.
    if (bLoaded && !bRead)
        failure("the replay took a file the reader refused");
    if (bRead && !bLoaded &&
        !replay.errorString().startsWith(QLatin1String("input.inkml:1:1: the writing would be")))
        failure("the replay refused a file the reader took, and not for its size");
    if (!bLoaded)
        return 0;
    if (!std::isfinite(replay.scaleX()) || !std::isfinite(replay.scaleY()) || !(replay.scaleX() > 0.0) ||
        !(replay.scaleY() > 0.0))
        failure("the layout's scale is no positive number");
    for (const SInkWriting& piece : replay.pieces()) {
        if (piece.strokes.isEmpty())
            failure("a piece of writing has no strokes");
        for (const QVector<QPointF>& stroke : piece.strokes)
            for (const QPointF& point : stroke)
                if (!std::isfinite(point.x()) || !std::isfinite(point.y()))
                    failure("the layout put a point at no number");
    }
    return 0;
}
