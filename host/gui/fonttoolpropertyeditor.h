// The host's editor of the text tool's font: the family ("fontfamily") and the size in points
// ("fontsize") side by side.
#pragma once

#include "hostpropertyeditor.h"

class CFontComboBox;
class QSpinBox;

class CFontToolPropertyEditor : public CHostPropertyEditor
{
    Q_OBJECT

public:
    CFontToolPropertyEditor();

protected:
    QWidget* makeWidget() override;
    void showValue(const QString& strName, const QVariant& value) override;

private:
    QPointer<CFontComboBox> m_pFamily;
    QPointer<QSpinBox> m_pSize;
};
