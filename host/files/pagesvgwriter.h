// Writes a page of a board copy as SVG straight from its components' properties, for programs that
// cannot read the board: text boxes as their frame and lines of text, ink as round-capped paths,
// pictures as images that refer to their PNG entries in the file. It reads only the copy it is given,
// so it may run on any thread, and it is fast enough for every save.
#pragma once

#include "boardfile.h"

#include <QHash>

class CPageSvgWriter
{
public:
    // The page as SVG, 1920 × 1080 pixels. pictureNames gives each picture's entry in the file by
    // its image's key; a picture without one is left out.
    static QByteArray write(const CBoardFile::SPage& page, const QHash<qint64, QString>& pictureNames);
};
