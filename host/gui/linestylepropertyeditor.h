// The host's editor of an outline's line style ("linestyle"): the line style box, offering every
// drawn style.
#pragma once

#include "hostpropertyeditor.h"

class CLineStylePropertyEditor : public CHostPropertyEditor
{
    Q_OBJECT

public:
    CLineStylePropertyEditor();

protected:
    QWidget* makeWidget() override;
    void showValue(const QString& strName, const QVariant& value) override;
};
