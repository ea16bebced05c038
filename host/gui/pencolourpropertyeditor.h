// The host's editor of a pen's ink colour ("pencolor"): the pen colour shades, the choice kept as a
// pen description.
#pragma once

#include "hostpropertyeditor.h"

class CPenColourPropertyEditor : public CHostPropertyEditor
{
    Q_OBJECT

public:
    CPenColourPropertyEditor();

protected:
    QWidget* makeWidget() override;
    void showValue(const QString& strName, const QVariant& value) override;
};
