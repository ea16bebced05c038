// The host's editor of a pen's line width ("linewidth"): the list of widths drawn as lines.
#pragma once

#include "hostpropertyeditor.h"

class CPenWidthPropertyEditor : public CHostPropertyEditor
{
    Q_OBJECT

public:
    CPenWidthPropertyEditor();

protected:
    QWidget* makeWidget() override;
    void showValue(const QString& strName, const QVariant& value) override;
};
