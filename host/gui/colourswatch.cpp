#include "colourswatch.h"

#include <QPainter>
#include <QPixmap>

namespace {

QPixmap framedField(const QSize& size, const QColor& color)
{
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    const QRect field(0, 0, size.width() - 1, size.height() - 1);
    if (color.alpha() < 255) {
        const int c_iCell = 4;
        for (int y = 0; y < size.height(); y += c_iCell)
            for (int x = 0; x < size.width(); x += c_iCell)
                painter.fillRect(x, y, c_iCell, c_iCell, ((x + y) / c_iCell) % 2 ? Qt::lightGray : Qt::white);
    }
    painter.fillRect(field, color);
    painter.setPen(QPen(Qt::darkGray, 1.0));
    painter.drawRect(field);
    return pixmap;
}

} // namespace

QIcon CColourSwatch::icon(const QColor& color, const QSize& size)
{
    return QIcon(framedField(size, color));
}

QIcon CColourSwatch::noneIcon(const QSize& size)
{
    QPixmap pixmap = framedField(size, Qt::white);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::red, 2.0));
    painter.drawLine(QPointF(size.width() - 2.0, 1.0), QPointF(1.0, size.height() - 2.0));
    return QIcon(pixmap);
}
