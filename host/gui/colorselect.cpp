#include "colorselect.h"

#include "colourswatch.h"
#include "penbase.h"

namespace {

const QSize c_swatchSize(36, 16);

struct SNamedColour
{
    QRgb rgb;
    const char* szName;
};

const SNamedColour c_opaqueColours[] = {
    {0xff000000, QT_TRANSLATE_NOOP("CColorSelect", "Black")},
    {0xff808080, QT_TRANSLATE_NOOP("CColorSelect", "Grey")},
    {0xffc0c0c0, QT_TRANSLATE_NOOP("CColorSelect", "Silver")},
    {0xffffffff, QT_TRANSLATE_NOOP("CColorSelect", "White")},
    {0xff8b0000, QT_TRANSLATE_NOOP("CColorSelect", "Dark Red")},
    {0xffff0000, QT_TRANSLATE_NOOP("CColorSelect", "Red")},
    {0xffff8c00, QT_TRANSLATE_NOOP("CColorSelect", "Orange")},
    {0xffffd700, QT_TRANSLATE_NOOP("CColorSelect", "Yellow")},
    {0xff006400, QT_TRANSLATE_NOOP("CColorSelect", "Dark Green")},
    {0xff00b050, QT_TRANSLATE_NOOP("CColorSelect", "Green")},
    {0xff00b0f0, QT_TRANSLATE_NOOP("CColorSelect", "Light Blue")},
    {0xff0000ff, QT_TRANSLATE_NOOP("CColorSelect", "Blue")},
    {0xff000080, QT_TRANSLATE_NOOP("CColorSelect", "Navy")},
    {0xff7030a0, QT_TRANSLATE_NOOP("CColorSelect", "Purple")},
    {0xffff69b4, QT_TRANSLATE_NOOP("CColorSelect", "Pink")},
    {0xff8b4513, QT_TRANSLATE_NOOP("CColorSelect", "Brown")},
};

// Half see-through, so that ink marked with them stays legible underneath.
const SNamedColour c_highlighterColours[] = {
    {0x80ffff00, QT_TRANSLATE_NOOP("CColorSelect", "Yellow")},
    {0x8000ff00, QT_TRANSLATE_NOOP("CColorSelect", "Green")},
    {0x8000ffff, QT_TRANSLATE_NOOP("CColorSelect", "Turquoise")},
    {0x80ff00ff, QT_TRANSLATE_NOOP("CColorSelect", "Pink")},
    {0x80ff8c00, QT_TRANSLATE_NOOP("CColorSelect", "Orange")},
    {0x800080ff, QT_TRANSLATE_NOOP("CColorSelect", "Blue")},
};

} // namespace

CColorSelect::CColorSelect(const QString& strColourType, QWidget* pParent)
    : CComboBox(pParent), m_strColourType(strColourType)
{
    setIconSize(c_swatchSize);
    setSizeAdjustPolicy(QComboBox::AdjustToContents);
    if (strColourType == QLatin1String("highlighter")) {
        for (const SNamedColour& colour : c_highlighterColours)
            addColour(QColor::fromRgba(colour.rgb), tr(colour.szName));
    } else {
        for (const SNamedColour& colour : c_opaqueColours)
            addColour(QColor::fromRgba(colour.rgb), tr(colour.szName));
    }
    setCurrentIndex(-1);
    // activated, unlike currentIndexChanged, comes only from the user's mouse or keyboard.
    connect(this, QOverload<int>::of(&QComboBox::activated), this, &CColorSelect::slotActivated);
}

CColorSelect::~CColorSelect() = default;

void CColorSelect::setCurrentColor(const QColor& color)
{
    if (!color.isValid()) {
        setCurrentIndex(-1);
        return;
    }
    const QString strColour = CPenBase::encodeColor(color);
    int iIndex = findData(strColour);
    if (iIndex < 0) {
        addColour(color, strColour);
        iIndex = count() - 1;
    }
    setCurrentIndex(iIndex);
}

QColor CColorSelect::currentColor() const
{
    return CPenBase::decodeColor(currentData().toString());
}

void CColorSelect::addColour(const QColor& color, const QString& strName)
{
    addItem(CColourSwatch::icon(color, c_swatchSize), QString(), CPenBase::encodeColor(color));
    setItemData(count() - 1, strName, Qt::ToolTipRole);
    setItemData(count() - 1, strName, Qt::AccessibleTextRole);
}

void CColorSelect::slotActivated(int iIndex)
{
    // Entries that others put in the list without a colour (a "no single value" entry) announce nothing.
    const QString strColour = itemData(iIndex).toString();
    if (!CPenBase::decodeColor(strColour).isValid())
        return;
    emit signalTypeAndColourSelected(m_strColourType + QLatin1Char(';') + strColour);
}
