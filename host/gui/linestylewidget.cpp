#include "linestylewidget.h"

#include <QPainter>
#include <QPixmap>
#include <algorithm>

namespace {

const QSize c_sampleSize(48, 16);

QIcon sample(PenUtil::ELineStyle eStyle)
{
    QPixmap pixmap(c_sampleSize);
    pixmap.fill(Qt::transparent);
    if (eStyle != PenUtil::eLineStyleNone) {
        QPainter painter(&pixmap);
        painter.setPen(QPen(Qt::black, 2.0, PenUtil::toQtPenStyle(eStyle), Qt::FlatCap));
        const double dMiddle = c_sampleSize.height() / 2.0;
        painter.drawLine(QPointF(2.0, dMiddle), QPointF(c_sampleSize.width() - 2.0, dMiddle));
    }
    return QIcon(pixmap);
}

QString nameOf(PenUtil::ELineStyle eStyle)
{
    switch (eStyle) {
    case PenUtil::eLineStyleNone:
        return CLineStyleWidget::tr("None");
    case PenUtil::eLineStyleSolid:
        return CLineStyleWidget::tr("Solid");
    case PenUtil::eLineStyleDash:
        return CLineStyleWidget::tr("Dash");
    case PenUtil::eLineStyleDot:
        return CLineStyleWidget::tr("Dot");
    case PenUtil::eLineStyleDashDot:
        return CLineStyleWidget::tr("Dash Dot");
    case PenUtil::eLineStyleDashDotDot:
        return CLineStyleWidget::tr("Dash Dot Dot");
    }
    return QString();
}

// What an offer comes to: its known codes, once each, in the order of the enumeration.
QList<PenUtil::ELineStyle> normalised(const QList<PenUtil::ELineStyle>& offered)
{
    QList<PenUtil::ELineStyle> styles;
    if (offered.isEmpty()) {
        for (int iCode = PenUtil::eLineStyleSolid; iCode <= PenUtil::eLineStyleDashDotDot; ++iCode)
            styles.append(PenUtil::ELineStyle(iCode));
        return styles;
    }
    for (PenUtil::ELineStyle eStyle : offered)
        if (eStyle >= PenUtil::eLineStyleNone && eStyle <= PenUtil::eLineStyleDashDotDot &&
            !styles.contains(eStyle))
            styles.append(eStyle);
    std::sort(styles.begin(), styles.end());
    return styles;
}

} // namespace

CLineStyleWidget::CLineStyleWidget(QWidget* pParent) : CLineStyleWidget(QList<PenUtil::ELineStyle>(), pParent)
{
}

CLineStyleWidget::CLineStyleWidget(const QList<PenUtil::ELineStyle>& offered, QWidget* pParent)
    : CComboBox(pParent)
{
    // Signals with the enumeration must be known to the meta-type system to reach queued receivers
    // and signal spies.
    qRegisterMetaType<PenUtil::ELineStyle>("PenUtil::ELineStyle");
    setIconSize(c_sampleSize);
    setSizeAdjustPolicy(QComboBox::AdjustToContents);
    setToolTip(tr("Line style"));
    offer(offered);
    setCurrentIndex(-1);
    // activated, unlike currentIndexChanged, comes only from the user's mouse or keyboard.
    connect(this, QOverload<int>::of(&QComboBox::activated), this, &CLineStyleWidget::slotActivated);
}

CLineStyleWidget::~CLineStyleWidget() = default;

void CLineStyleWidget::setLineStyle(const QVariant& style, const QList<PenUtil::ELineStyle>& offered)
{
    offer(offered);
    select(style);
}

void CLineStyleWidget::setLineStyle(PenUtil::ELineStyle eStyle)
{
    select(int(eStyle));
}

QList<PenUtil::ELineStyle> CLineStyleWidget::offeredStyles() const
{
    QList<PenUtil::ELineStyle> styles;
    for (int i = 0; i < count(); ++i)
        styles.append(PenUtil::ELineStyle(itemData(i).toInt()));
    return styles;
}

QVariant CLineStyleWidget::lineStyle() const
{
    return currentIndex() < 0 ? QVariant() : QVariant(currentData().toInt());
}

void CLineStyleWidget::offer(const QList<PenUtil::ELineStyle>& offered)
{
    const QList<PenUtil::ELineStyle> styles = normalised(offered);
    // Rebuilding the same list would close it under the user's pointer for nothing.
    if (styles == offeredStyles())
        return;
    clear();
    for (PenUtil::ELineStyle eStyle : styles)
        addItem(sample(eStyle), nameOf(eStyle), int(eStyle));
}

void CLineStyleWidget::select(const QVariant& style)
{
    bool bIsCode = false;
    const int iCode = style.isValid() ? style.toInt(&bIsCode) : 0;
    setCurrentIndex(bIsCode ? findData(iCode) : -1);
}

void CLineStyleWidget::slotActivated(int iIndex)
{
    emit signalLineStyleChanged(PenUtil::ELineStyle(itemData(iIndex).toInt()));
}
