#include "fillcolourwidget.h"

#include "penbase.h"

namespace {

struct SNamedColour
{
    QRgb rgb;
    const char* szName;
};

const SNamedColour c_fillColours[] = {
    {0xffffffff, QT_TRANSLATE_NOOP("CFillcolourWidget", "White")},
    {0xffd9d9d9, QT_TRANSLATE_NOOP("CFillcolourWidget", "Light Grey")},
    {0xff808080, QT_TRANSLATE_NOOP("CFillcolourWidget", "Grey")},
    {0xff000000, QT_TRANSLATE_NOOP("CFillcolourWidget", "Black")},
    {0xffffc7ce, QT_TRANSLATE_NOOP("CFillcolourWidget", "Rose")},
    {0xffffeb9c, QT_TRANSLATE_NOOP("CFillcolourWidget", "Cream")},
    {0xffc6efce, QT_TRANSLATE_NOOP("CFillcolourWidget", "Mint")},
    {0xffbdd7ee, QT_TRANSLATE_NOOP("CFillcolourWidget", "Sky")},
    {0xffff0000, QT_TRANSLATE_NOOP("CFillcolourWidget", "Red")},
    {0xffffd700, QT_TRANSLATE_NOOP("CFillcolourWidget", "Yellow")},
    {0xff00b050, QT_TRANSLATE_NOOP("CFillcolourWidget", "Green")},
    {0xff0000ff, QT_TRANSLATE_NOOP("CFillcolourWidget", "Blue")},
};

// Half see-through: writing on the board stays legible underneath.
const SNamedColour c_translucentColours[] = {
    {0x80ffff00, QT_TRANSLATE_NOOP("CFillcolourWidget", "See-through Yellow")},
    {0x8000ff00, QT_TRANSLATE_NOOP("CFillcolourWidget", "See-through Green")},
    {0x8000ffff, QT_TRANSLATE_NOOP("CFillcolourWidget", "See-through Turquoise")},
    {0x80ff00ff, QT_TRANSLATE_NOOP("CFillcolourWidget", "See-through Pink")},
};

} // namespace

CFillcolourWidget::CFillcolourWidget(QWidget* pParent) : CColourShadesWidget(pParent)
{
    for (const SNamedColour& colour : c_fillColours) {
        const QColor color = QColor::fromRgba(colour.rgb);
        addShade(QStringLiteral("normal;") + CPenBase::encodeColor(color), color, tr(colour.szName));
    }
    for (const SNamedColour& colour : c_translucentColours) {
        const QColor color = QColor::fromRgba(colour.rgb);
        addShade(QStringLiteral("highlighter;") + CPenBase::encodeColor(color), color, tr(colour.szName));
    }
    addNoneShade(QStringLiteral("null;") + CPenBase::encodeColor(QColor(255, 255, 255, 0)));
}

CFillcolourWidget::~CFillcolourWidget() = default;
