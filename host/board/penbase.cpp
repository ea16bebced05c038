#include "penbase.h"

#include "penutil.h"

namespace {

// Only the exact hex forms count: QColor's own parser also takes names and short forms, which a pen
// description never carries, so accepting them would hide broken texts.
QColor parseHex(const QString& strText)
{
    if (!strText.startsWith(QLatin1Char('#')) || (strText.size() != 7 && strText.size() != 9))
        return QColor();
    bool bOk = false;
    const uint uValue = strText.midRef(1).toUInt(&bOk, 16);
    if (!bOk)
        return QColor();
    QColor color = QColor::fromRgb(uValue & 0xffffffu);
    color.setAlpha(strText.size() == 9 ? int(uValue >> 24) : 255);
    return color;
}

} // namespace

CPenBase::CPenBase(const QString& strType, const QColor& color) : m_strType(strType), m_color(color)
{
}

CPenBase::~CPenBase() = default;

QString CPenBase::description() const
{
    return m_strType + QLatin1Char(';') + encodeColor(m_color);
}

QPen CPenBase::toQPen(double dWidth, int iLineStyle) const
{
    QPen pen(m_color, dWidth, PenUtil::toQtPenStyle(iLineStyle), Qt::SquareCap, Qt::MiterJoin);
    // A highlighter stroke has no corners: its ends blend into the marked text.
    if (m_strType == QLatin1String("highlighter")) {
        pen.setCapStyle(Qt::RoundCap);
        pen.setJoinStyle(Qt::RoundJoin);
    }
    return pen;
}

QString CPenBase::encodeColor(const QColor& color)
{
    if (!color.isValid())
        return QString();
    return color.name(QColor::HexArgb).toUpper();
}

QColor CPenBase::decodeColor(const QString& strText)
{
    const int iSeparator = strText.indexOf(QLatin1Char(';'));
    return parseHex((iSeparator < 0 ? strText : strText.mid(iSeparator + 1)).trimmed());
}

QString CPenBase::getPenType(const QString& strDescription)
{
    const int iSeparator = strDescription.indexOf(QLatin1Char(';'));
    return iSeparator < 0 ? QString() : strDescription.left(iSeparator).trimmed();
}
