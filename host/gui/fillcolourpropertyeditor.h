// The host's editor of a fill colour ("fillcolor"), such as a text box's background: no fill, opaque
// and see-through shades, the choice kept as a pen description.
#pragma once

#include "hostpropertyeditor.h"

class CFillColourPropertyEditor : public CHostPropertyEditor
{
    Q_OBJECT

public:
    CFillColourPropertyEditor();

protected:
    QWidget* makeWidget() override;
    void showValue(const QString& strName, const QVariant& value) override;
};
