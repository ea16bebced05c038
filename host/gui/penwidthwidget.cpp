#include "penwidthwidget.h"

#include <QPainter>
#include <QPixmap>
#include <cmath>

namespace {

const QSize c_sampleSize(48, 16);
const double c_widths[] = {1.0, 2.0, 3.0, 4.0, 5.0, 6.0, 7.0, 8.0, 10.0, 12.0, 15.0, 20.0};
// Marks the entry for a width that is not one of the list's own.
const int c_iOwnWidthRole = Qt::UserRole + 1;

QIcon sample(double dWidth)
{
    QPixmap pixmap(c_sampleSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    // Thick lines are drawn at the height of the field; their labels tell them apart.
    const double dShown = std::min(dWidth, c_sampleSize.height() - 2.0);
    painter.setPen(QPen(Qt::black, dShown, Qt::SolidLine, Qt::FlatCap));
    const double dMiddle = c_sampleSize.height() / 2.0;
    painter.drawLine(QPointF(2.0, dMiddle), QPointF(c_sampleSize.width() - 2.0, dMiddle));
    return QIcon(pixmap);
}

bool sameWidth(double dFirst, double dSecond)
{
    return std::fabs(dFirst - dSecond) < 1e-6;
}

} // namespace

CPenWidthWidget::CPenWidthWidget(QWidget* pParent) : CComboBox(pParent)
{
    setIconSize(c_sampleSize);
    setSizeAdjustPolicy(QComboBox::AdjustToContents);
    for (double dWidth : c_widths)
        insertWidth(dWidth, false);
    setCurrentIndex(-1);
    setToolTip(tr("Line width"));
    // activated, unlike currentIndexChanged, comes only from the user's mouse or keyboard.
    connect(this, QOverload<int>::of(&QComboBox::activated), this, &CPenWidthWidget::slotActivated);
}

CPenWidthWidget::~CPenWidthWidget() = default;

void CPenWidthWidget::setPenWidth(double dWidth)
{
    for (int i = count() - 1; i >= 0; --i)
        if (itemData(i, c_iOwnWidthRole).toBool() && !sameWidth(itemData(i).toDouble(), dWidth))
            removeItem(i);
    if (!(dWidth > 0.0)) {
        setCurrentIndex(-1);
        return;
    }
    for (int i = 0; i < count(); ++i) {
        if (sameWidth(itemData(i).toDouble(), dWidth)) {
            setCurrentIndex(i);
            return;
        }
    }
    insertWidth(dWidth, true);
    for (int i = 0; i < count(); ++i)
        if (sameWidth(itemData(i).toDouble(), dWidth))
            setCurrentIndex(i);
}

double CPenWidthWidget::penWidth() const
{
    return currentIndex() < 0 ? 0.0 : currentData().toDouble();
}

QList<double> CPenWidthWidget::widths() const
{
    QList<double> result;
    for (int i = 0; i < count(); ++i)
        result.append(itemData(i).toDouble());
    return result;
}

void CPenWidthWidget::insertWidth(double dWidth, bool bOwn)
{
    int iAt = 0;
    while (iAt < count() && itemData(iAt).toDouble() < dWidth)
        ++iAt;
    insertItem(iAt, sample(dWidth), QString::number(dWidth, 'g', 4), dWidth);
    setItemData(iAt, bOwn, c_iOwnWidthRole);
}

void CPenWidthWidget::slotActivated(int iIndex)
{
    emit signalWidthChanged(itemData(iIndex).toDouble());
}
