#include "textcolourpropertyeditor.h"

#include "colorselect.h"
#include "penbase.h"
#include "toolpropertynames.h"

CTextColourPropertyEditor::CTextColourPropertyEditor()
    : CHostPropertyEditor({QLatin1String(toolproperty::c_szFontColor)},
                          QT_TRANSLATE_NOOP("CPropertyEditorManager", "Text Colour"),
                          []() -> CHostPropertyEditor* { return new CTextColourPropertyEditor(); })
{
}

QWidget* CTextColourPropertyEditor::makeWidget()
{
    auto* pColours = new CColorSelect(QStringLiteral("normal"));
    connect(pColours, &CColorSelect::signalTypeAndColourSelected, this, [this](const QString& strPen) {
        applyPropertyValue(CPenBase::decodeColor(strPen), eUpdateColourActions, eValueOwnStep);
    });
    return pColours;
}

void CTextColourPropertyEditor::showValue(const QString&, const QVariant& value)
{
    // Settings saved as text come back as "#AARRGGBB".
    const QColor color = value.userType() == QMetaType::QColor ? value.value<QColor>()
                                                               : CPenBase::decodeColor(value.toString());
    static_cast<CColorSelect*>(widget())->setCurrentColor(color);
}
