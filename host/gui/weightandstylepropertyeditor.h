// The host's editor of the text tool's bold, italic and underline switches.
#pragma once

#include "hostpropertyeditor.h"

class CWeightAndStylePropertyEditor : public CHostPropertyEditor
{
    Q_OBJECT

public:
    CWeightAndStylePropertyEditor();

protected:
    QWidget* makeWidget() override;
    void showValue(const QString& strName, const QVariant& value) override;
};
