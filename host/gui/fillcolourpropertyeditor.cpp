#include "fillcolourpropertyeditor.h"

#include "fillcolourwidget.h"
#include "penbase.h"
#include "toolpropertynames.h"

CFillColourPropertyEditor::CFillColourPropertyEditor()
    : CHostPropertyEditor({QLatin1String(toolproperty::c_szFillColor)},
                          QT_TRANSLATE_NOOP("CPropertyEditorManager", "Fill Colour"),
                          []() -> CHostPropertyEditor* { return new CFillColourPropertyEditor(); })
{
}

QWidget* CFillColourPropertyEditor::makeWidget()
{
    auto* pShades = new CFillcolourWidget();
    connect(pShades, &CFillcolourWidget::signalTypeAndColourSelected, this,
            [this](const QString& strFill) { applyPropertyValue(CPenBase::decodeColor(strFill)); });
    return pShades;
}

void CFillColourPropertyEditor::showValue(const QString&, const QVariant& value)
{
    // Fills are kept as colours, the text pen's too; the chooser speaks in pen descriptions, in which
    // the colour's alpha picks the kind of shade.
    const QColor colour = value.userType() == QMetaType::QColor ? value.value<QColor>()
                                                                : CPenBase::decodeColor(value.toString());
    QVariant shown;
    if (colour.isValid() && colour.alpha() == 0)
        shown = QStringLiteral("null");
    else if (colour.isValid())
        shown = (colour.alpha() == 255 ? QStringLiteral("normal;") : QStringLiteral("highlighter;")) +
                CPenBase::encodeColor(colour);
    static_cast<CFillcolourWidget*>(widget())->setCurrentColor(shown);
}
