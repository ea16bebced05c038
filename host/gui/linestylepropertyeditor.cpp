#include "linestylepropertyeditor.h"

#include "linestylewidget.h"
#include "toolpropertynames.h"

CLineStylePropertyEditor::CLineStylePropertyEditor()
    : CHostPropertyEditor({QLatin1String(toolproperty::c_szLineStyle)},
                          QT_TRANSLATE_NOOP("CPropertyEditorManager", "Line Style"),
                          []() -> CHostPropertyEditor* { return new CLineStylePropertyEditor(); })
{
}

QWidget* CLineStylePropertyEditor::makeWidget()
{
    auto* pStyles = new CLineStyleWidget();
    connect(pStyles, &CLineStyleWidget::signalLineStyleChanged, this,
            [this](PenUtil::ELineStyle eStyle) { applyPropertyValue(int(eStyle)); });
    return pStyles;
}

void CLineStylePropertyEditor::showValue(const QString&, const QVariant& value)
{
    // The host's outlines draw any style in any colour, so every style is offered.
    static_cast<CLineStyleWidget*>(widget())->setLineStyle(value, {});
}
