// The board file: a whole board (its pages, each component with every property, in depth order) kept
// on disk in the board's own versioned format, written atomically and read defensively.
//
// Saving is two steps so that it can leave the GUI thread: snapshot() copies what is on the board
// (GUI thread; cheap, the values are shared), write() encodes and writes the copy (any thread).
// Opening is the reverse: read() decodes and checks a file into a copy (any thread), build() makes
// pages from it (GUI thread), and open() puts them in place of the board's only when all went well.
#pragma once

#include <QByteArray>
#include <QPair>
#include <QSizeF>
#include <QString>
#include <QVariant>
#include <QVector>
#include <memory>
#include <vector>

class CTopic;
class CWorkspace;

class CBoardFile
{
public:
    // The format version this build writes; files of a newer one are refused.
    static const int c_iVersion;
    // The file name suffix a board is saved under, without the dot.
    static const char* const c_szSuffix;

    struct SComponent
    {
        QString strType;
        QVector<QPair<QString, QVariant>> properties;
    };
    struct SPage
    {
        // From back to front: the page's drawing order.
        QVector<SComponent> components;
        // Each page drawn as SVG, for programs that cannot read the board; empty when not drawn.
        QByteArray svg;
    };
    struct SBoard
    {
        QVector<SPage> pages;
        int iCurrentPage = 0;
    };

    // What is on the board now. With bDrawPages each page is drawn as SVG too (from the copy, so it
    // would do on any thread), and the file gets the pages as SVG and InkML for other programs;
    // without, only what opening reads.
    static SBoard snapshot(const CWorkspace& workspace, bool bDrawPages = true);
    // Encodes the board and writes it to strPath, atomically: the previous file stays as it was
    // unless the new one was written completely. False, with the reason, when it could not.
    static bool write(const SBoard& board, const QString& strPath, QString* pstrError);
    static QByteArray encode(const SBoard& board);

    // Reads and checks the file. False, with a reason a user can read, when it is not a board this
    // build can open; pBoard is then unchanged.
    static bool read(const QString& strPath, SBoard* pBoard, QString* pstrError);
    static bool decode(const QByteArray& data, SBoard* pBoard, QString* pstrError);
    // Makes the pages the board describes, their components made through the host's factories.
    static std::vector<std::unique_ptr<CTopic>> build(const SBoard& board);

    // snapshot() and write() in one.
    static bool save(const CWorkspace& workspace, const QString& strPath, QString* pstrError);
    // read() and build(), then the pages take the place of the workspace's; the workspace is
    // untouched when the file is refused.
    static bool open(const QString& strPath, CWorkspace* pWorkspace, QString* pstrError);
};
