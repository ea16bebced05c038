#include "weightandstylepropertyeditor.h"

#include "textweightandstylewidget.h"
#include "toolpropertynames.h"

#include <QToolButton>

CWeightAndStylePropertyEditor::CWeightAndStylePropertyEditor()
    : CHostPropertyEditor({QLatin1String(toolproperty::c_szBold), QLatin1String(toolproperty::c_szItalic),
                           QLatin1String(toolproperty::c_szUnderline)},
                          QT_TRANSLATE_NOOP("CPropertyEditorManager", "Style"),
                          []() -> CHostPropertyEditor* { return new CWeightAndStylePropertyEditor(); })
{
}

QWidget* CWeightAndStylePropertyEditor::makeWidget()
{
    auto* pSwitches = new CTextWeightAndStyleWidget(nullptr, true);
    connect(pSwitches, &CTextWeightAndStyleWidget::signalWeightAndStyleSelected, this,
            [this](const QString& strAttribute, bool bOn) { applyPropertyValue(strAttribute, bOn); });
    return pSwitches;
}

void CWeightAndStylePropertyEditor::showValue(const QString& strName, const QVariant& value)
{
    if (QToolButton* pSwitch = static_cast<CTextWeightAndStyleWidget*>(widget())->button(strName))
        pSwitch->setChecked(value.toBool());
}
