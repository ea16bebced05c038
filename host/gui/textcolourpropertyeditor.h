// The host's editor of the text tool's text colour ("fontcolor", a QColor): the colour list.
#pragma once

#include "hostpropertyeditor.h"

class CTextColourPropertyEditor : public CHostPropertyEditor
{
    Q_OBJECT

public:
    CTextColourPropertyEditor();

protected:
    QWidget* makeWidget() override;
    void showValue(const QString& strName, const QVariant& value) override;
};
