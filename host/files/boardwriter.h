// Encodes a board into its file: the ZIP archive with the mimetype, board.xml (every property of
// every component, typed), the pictures as PNG and, for each page that was drawn, the page as SVG and
// its ink as InkML. It reads only the copy it is given, so it may run on any thread.
#pragma once

#include "boardfile.h"

#include <QHash>

class CBoardWriter
{
public:
    // The whole file; empty, with the reason, when the archive could not be made.
    static QByteArray encode(const CBoardFile::SBoard& board, QString* pstrError = nullptr);
    // board.xml alone, with the pictures it refers to by name.
    static QByteArray boardXml(const CBoardFile::SBoard& board,
                               QVector<QPair<QString, QByteArray>>* pPictures);
    // The entry each picture of the board is kept under, by its image's key: board.xml and the SVG
    // pages refer to them by these names.
    static QHash<qint64, QString> pictureNames(const CBoardFile::SBoard& board);
    // The page's ink as W3C InkML: a trace per stroke, in scene units, a brush per colour and width.
    static QByteArray pageInkML(const CBoardFile::SPage& page);
};
