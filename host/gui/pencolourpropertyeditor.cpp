#include "pencolourpropertyeditor.h"

#include "penbase.h"
#include "pencolourwidget.h"
#include "toolpropertynames.h"

CPenColourPropertyEditor::CPenColourPropertyEditor()
    : CHostPropertyEditor({QLatin1String(toolproperty::c_szPenColor)},
                          QT_TRANSLATE_NOOP("CPropertyEditorManager", "Colour"),
                          []() -> CHostPropertyEditor* { return new CPenColourPropertyEditor(); })
{
}

QWidget* CPenColourPropertyEditor::makeWidget()
{
    auto* pShades = new CPencolourWidget();
    connect(pShades, &CPencolourWidget::signalTypeAndColourSelected, this, [this](const QString& strPen) {
        applyPropertyValue(strPen, eUpdateColourActions, eValueOwnStep);
    });
    return pShades;
}

void CPenColourPropertyEditor::showValue(const QString&, const QVariant& value)
{
    auto* pShades = static_cast<CPencolourWidget*>(widget());
    // A pen that draws nothing is shown as such rather than as no choice at all. An outline, of
    // something with a fill of its own such as a text box, may always be left out; a pen's ink not.
    if (CPenBase::getPenType(value.toString()) == QLatin1String("null") ||
        getPropertyValue(QLatin1String(toolproperty::c_szFillColor)).isValid())
        pShades->addNoneColourShade();
    pShades->setCurrentColor(value);
}
