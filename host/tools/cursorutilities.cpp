#include "cursorutilities.h"

#include <QImage>
#include <QImageReader>
#include <QPixmap>

QCursor* CCursorUtilities::loadCursor(const QString& strPath, const QPoint& hotSpot)
{
    const QPixmap pixmap = loadPixmap(strPath);
    if (pixmap.isNull())
        return new QCursor(Qt::CrossCursor);
    return new QCursor(pixmap, hotSpot.x(), hotSpot.y());
}

QPixmap CCursorUtilities::loadPixmap(const QString& strPath)
{
    if (strPath.isEmpty())
        return QPixmap();
    // QPixmap(path) tries no format suffixes for a name that already has a dot in it; the reader does.
    QImageReader reader(strPath);
    const QImage image = reader.read();
    return image.isNull() ? QPixmap() : QPixmap::fromImage(image);
}
