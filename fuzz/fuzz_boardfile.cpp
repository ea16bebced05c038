// Bytes as a board file, decoded as opening decodes it and, when accepted, built into pages. A refusal
// must come with a reason, an accepted board must build, and what it gives must save and read back.
#include "boardfile.h"
#include "topic.h"

#include <QApplication>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

void failure(const char* szWhat)
{
    fprintf(stderr, "fuzz_boardfile: %s\n", szWhat);
    abort();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* /*piArgc*/, char*** /*pArgv*/)
{
    static int s_iArgc = 1;
    static char s_szName[] = "fuzz_boardfile";
    static char* s_argv[] = {s_szName, nullptr};
    // Text boxes are graphics items, which need the widgets' application.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    new QApplication(s_iArgc, s_argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t iSize)
{
    const QByteArray data(reinterpret_cast<const char*>(pData), int(iSize));
    CBoardFile::SBoard board;
    QString strError;
    const bool bRead = CBoardFile::decode(data, &board, &strError);
    if (bRead == !strError.isEmpty())
        failure("the reader's answer and its reason disagree");
    if (!bRead)
        return 0;
    if (board.iCurrentPage < 0 || (board.iCurrentPage > 0 && board.iCurrentPage >= board.pages.size()))
        failure("the current page is not a page of the board");
    // Building is what opening does next; small boards only, so that a run stays quick.
    int iComponents = 0;
    for (const CBoardFile::SPage& page : board.pages)
        iComponents += page.components.size();
    if (iComponents <= 200 && board.pages.size() <= 20) {
        const std::vector<std::unique_ptr<CTopic>> pages = CBoardFile::build(board);
        if (int(pages.size()) != board.pages.size())
            failure("a page was lost in building");
    }
    // What was read must be written again in a form that reads back the same way.
    CBoardFile::SBoard again;
    if (!CBoardFile::decode(CBoardFile::encode(board), &again, &strError))
        failure(qPrintable(QStringLiteral("a board read was written so it does not read back: ") + strError));
    if (again.pages.size() != board.pages.size())
        failure("a board read was written with other pages");
    return 0;
}
