// Tool property writes of any name and value on the text pen, through the tool and through the tool
// manager, then every property read back and a text box made with whatever the settings became.
#include "fuzzhost.h"
#include "fuzzinput.h"
#include "orrery.h"
#include "orreryview.h"
#include "scriptedrecognizer.h"
#include "toolmanager.h"
#include "tooltextpen.h"

#include <QColor>
#include <QGraphicsScene>
#include <QImage>
#include <QPainter>
#include <QVariant>
#include <cstdio>
#include <cstdlib>

namespace {

void failure(const char* szWhat)
{
    fprintf(stderr, "fuzz_toolproperties: %s\n", szWhat);
    abort();
}

// The names the pen and the host's tools know, and a few they might be asked for.
const QStringList& knownNames()
{
    static const QStringList s_names = {
        "textpen.fontfamily", "textpen.fontcolor", "textpen.bold",      "textpen.italic",
        "textpen.underline",  "overwritetextbox",  "showcandidates",    "textpen.linecolor",
        "textpen.fillcolor",  "textpen.linestyle", "textpen.linewidth", "textpen.alignment",
        "textpen.fontsize",   "primarycolor",      "pencolor",          "linewidth",
        "linestyle",          "fontfamily",        "textpen.",          ""};
    return s_names;
}

QVariant value(CFuzzInput& input)
{
    switch (input.byte() % 8) {
    case 0:
        return input.string();
    case 1:
        return int(input.dword());
    case 2:
        return input.real();
    case 3:
        return bool(input.byte() & 1);
    case 4:
        return QColor::fromRgba(input.dword());
    case 5:
        return QVariant();
    case 6: {
        QVariantList list;
        const int iCount = input.byte() % 4;
        for (int i = 0; i < iCount; ++i)
            list.append(input.string());
        return list;
    }
    default:
        return input.bytes(input.byte());
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* /*piArgc*/, char*** /*pArgv*/)
{
    CFuzzHost::get();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t iSize)
{
    CFuzzHost& host = CFuzzHost::get();
    // Each run starts from the pen's own defaults and an empty board.
    host.restartTextPen();
    host.resetBoard();
    CToolManager* pTools = COrrery::getToolManager();
    const QString strPen = host.tool()->getName();

    CFuzzInput input(pData, iSize);
    for (int iWrites = 0; iWrites < 16 && !input.atEnd(); ++iWrites) {
        const uint8_t iHow = input.byte();
        const QString strName =
            iHow & 1 ? input.string() : knownNames().at(input.byte() % knownNames().size());
        const QVariant newValue = value(input);
        if (iHow & 2)
            pTools->setToolProperty(strPen, strName, newValue, false);
        else
            host.tool()->setToolProperty(strName, newValue);
    }

    QStringList names = host.tool()->getToolPropertyNames();
    names << QStringLiteral("primarycolor") << QStringLiteral("pencolor");
    for (const QString& strName : names) {
        const QVariant read = host.tool()->getToolProperty(strName);
        // Every value the surfaces show is turned to text somewhere.
        (void)read.toString();
    }

    pTools->setToolProperty(strPen, QStringLiteral("showcandidates"), false, false);
    host.recognizer()->enqueue({QStringLiteral("written")});
    const int iMessagesBefore = host.messageCount();
    host.writeOver(QRect(200, 200, 160, 60));
    if (host.messageCount() != iMessagesBefore)
        failure("a reading was taken, yet the user was told of an error");
    // The new box drawn as the board would draw it, its outline and fill from the settings.
    QImage image(160, 120, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        host.view()->scene()->render(&painter, QRectF(image.rect()), QRectF(150, 150, 320, 240));
    }
    host.settle();
    return 0;
}
