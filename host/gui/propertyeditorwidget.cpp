#include "propertyeditorwidget.h"

CPropertyEditorWidget::CPropertyEditorWidget(QWidget* pParent) : QWidget(pParent)
{
}

CPropertyEditorWidget::~CPropertyEditorWidget() = default;

void CPropertyEditorWidget::setGroupLabel(const QString& strLabel)
{
    // A widget inside a context bar often shows no label of its own; its group still needs a name.
    setAccessibleName(strLabel);
}
