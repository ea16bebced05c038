#include "pencolourwidget.h"

#include "penbase.h"

namespace {

struct SNamedColour
{
    QRgb rgb;
    const char* szName;
};

const SNamedColour c_penColours[] = {
    {0xff000000, QT_TRANSLATE_NOOP("CPencolourWidget", "Black")},
    {0xff808080, QT_TRANSLATE_NOOP("CPencolourWidget", "Grey")},
    {0xffffffff, QT_TRANSLATE_NOOP("CPencolourWidget", "White")},
    {0xffff0000, QT_TRANSLATE_NOOP("CPencolourWidget", "Red")},
    {0xffff8c00, QT_TRANSLATE_NOOP("CPencolourWidget", "Orange")},
    {0xffffd700, QT_TRANSLATE_NOOP("CPencolourWidget", "Yellow")},
    {0xff00b050, QT_TRANSLATE_NOOP("CPencolourWidget", "Green")},
    {0xff0000ff, QT_TRANSLATE_NOOP("CPencolourWidget", "Blue")},
    {0xff00b0f0, QT_TRANSLATE_NOOP("CPencolourWidget", "Light Blue")},
    {0xff7030a0, QT_TRANSLATE_NOOP("CPencolourWidget", "Purple")},
    {0xffff69b4, QT_TRANSLATE_NOOP("CPencolourWidget", "Pink")},
    {0xff8b4513, QT_TRANSLATE_NOOP("CPencolourWidget", "Brown")},
};

const char* const c_szNoPen = "null;";

} // namespace

CPencolourWidget::CPencolourWidget(QWidget* pParent) : CColourShadesWidget(pParent)
{
    for (const SNamedColour& colour : c_penColours) {
        const QColor color = QColor::fromRgba(colour.rgb);
        addShade(QStringLiteral("normal;") + CPenBase::encodeColor(color), color, tr(colour.szName));
    }
}

CPencolourWidget::~CPencolourWidget() = default;

void CPencolourWidget::addNoneColourShade()
{
    if (!hasShade(QLatin1String(c_szNoPen)))
        addNoneShade(QLatin1String(c_szNoPen));
}
