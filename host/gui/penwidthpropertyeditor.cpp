#include "penwidthpropertyeditor.h"

#include "penwidthwidget.h"
#include "toolpropertynames.h"

CPenWidthPropertyEditor::CPenWidthPropertyEditor()
    : CHostPropertyEditor({QLatin1String(toolproperty::c_szLineWidth)},
                          QT_TRANSLATE_NOOP("CPropertyEditorManager", "Width"),
                          []() -> CHostPropertyEditor* { return new CPenWidthPropertyEditor(); })
{
}

QWidget* CPenWidthPropertyEditor::makeWidget()
{
    auto* pWidths = new CPenWidthWidget();
    connect(pWidths, &CPenWidthWidget::signalWidthChanged, this,
            [this](double dWidth) { applyPropertyValue(dWidth); });
    return pWidths;
}

void CPenWidthPropertyEditor::showValue(const QString&, const QVariant& value)
{
    static_cast<CPenWidthWidget*>(widget())->setPenWidth(value.toDouble());
}
