// Cursors from images in the resource tree.
#pragma once

#include <QCursor>
#include <QPoint>
#include <QString>

class CCursorUtilities
{
public:
    // A new cursor (the caller owns it) from the image at strPath, which is found with or without its
    // format suffix. A hot spot of (-1, -1) is the image's centre. When the image cannot be read,
    // a cross cursor, so that the caller always has one.
    static QCursor* loadCursor(const QString& strPath, const QPoint& hotSpot);
    static QPixmap loadPixmap(const QString& strPath);
};
