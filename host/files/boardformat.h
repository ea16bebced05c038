// The names and limits the board file's writer and reader share: what the archive holds and how much
// of it a reader takes in before it refuses the file. docs/board-format.md describes the layout.
#pragma once

#include <QMetaType>
#include <QtGlobal>

namespace boardformat {

constexpr const char c_szMimeType[] = "application/x-whiteboard-board";
constexpr const char c_szMimeEntry[] = "mimetype";
constexpr const char c_szBoardEntry[] = "board.xml";
constexpr const char c_szPagesFolder[] = "pages/";
constexpr const char c_szPicturesFolder[] = "pictures/";

// Everything read from one file, uncompressed, together; and the file itself.
constexpr qint64 c_iMaxTotalBytes = 256LL * 1024 * 1024;
constexpr int c_iMaxEntries = 100000;
constexpr int c_iMaxDepth = 64;
constexpr int c_iMaxPages = 10000;
constexpr int c_iMaxComponents = 1000000;
constexpr qint64 c_iMaxPoints = 10000000;
// Values other than points, over the whole board: each costs memory however small its text.
constexpr qint64 c_iMaxValues = 5000000;
// The pixels of all pictures together (four bytes each once decoded).
constexpr qint64 c_iMaxPicturePixels = 64LL * 1024 * 1024;

// Values of these types are kept as their Qt data stream ("data" elements). Only types whose stream
// reads in bounded steps are taken: a hostile length must not allocate before the data is there. Not
// QDateTime: a stream can give it a time zone that is none, which Qt then crashes on when it streams
// the value out again.
inline bool isStreamedType(int iType)
{
    switch (iType) {
    case QMetaType::QChar:
    case QMetaType::QDate:
    case QMetaType::QTime:
    case QMetaType::QUrl:
    case QMetaType::QUuid:
    case QMetaType::QLine:
    case QMetaType::QLineF:
        return true;
    default:
        return iType >= QMetaType::User;
    }
}

} // namespace boardformat
