// Bytes as a board file, decoded as opening decodes it and, when accepted, built into pages. A refusal
// must come with a reason, an accepted board must build, and what it gives must save and read back.
// Bytes that do not begin as a ZIP archive are put into a sound archive as its board.xml, beside a
// small picture: a mutation inside an archive mostly breaks its checksums, which would keep the
// fuzzer from ever reaching the XML behind them.
#include "boardfile.h"
#include "topic.h"

#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <zip.h>

namespace {

void failure(const char* szWhat)
{
    fprintf(stderr, "fuzz_boardfile: %s\n", szWhat);
    abort();
}

QByteArray archiveWith(const QByteArray& xml)
{
    static QByteArray s_png;
    if (s_png.isEmpty()) {
        QImage image(3, 2, QImage::Format_ARGB32);
        image.fill(Qt::red);
        QBuffer buffer(&s_png);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
    }
    static const char s_szMimeType[] = "application/x-whiteboard-board";
    zip_source_t* pBuffer = zip_source_buffer_create(nullptr, 0, 0, nullptr);
    zip_source_keep(pBuffer);
    zip_t* pArchive = zip_open_from_source(pBuffer, ZIP_TRUNCATE, nullptr);
    const auto add = [pArchive](const char* szName, const char* pData, size_t iSize) {
        const zip_int64_t i =
            zip_file_add(pArchive, szName, zip_source_buffer(pArchive, pData, iSize, 0), ZIP_FL_OVERWRITE);
        zip_set_file_compression(pArchive, i, ZIP_CM_STORE, 0);
    };
    add("mimetype", s_szMimeType, sizeof(s_szMimeType) - 1);
    add("board.xml", xml.constData(), size_t(xml.size()));
    add("pictures/picture-1.png", s_png.constData(), size_t(s_png.size()));
    zip_close(pArchive);
    QByteArray bytes;
    if (zip_source_open(pBuffer) == 0) {
        zip_source_seek(pBuffer, 0, SEEK_END);
        bytes.resize(int(zip_source_tell(pBuffer)));
        zip_source_seek(pBuffer, 0, SEEK_SET);
        zip_source_read(pBuffer, bytes.data(), zip_uint64_t(bytes.size()));
        zip_source_close(pBuffer);
    }
    zip_source_free(pBuffer);
    return bytes;
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
    const QByteArray input(reinterpret_cast<const char*>(pData), int(iSize));
    const QByteArray data = input.startsWith("PK") ? input : archiveWith(input);
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
