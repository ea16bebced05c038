// The host's own text tool "text": a click on the board makes a text box with the tool's text and
// outline settings and opens it for typing; a click on a text box opens that one.
#pragma once

#include "tool.h"

class CTextTool : public CTool
{
public:
    CTextTool();

    QString getName() const override;
    QList<QString> getPersistentProperties() const override;
    QList<QString> getEditableProperties() const override;
    QString getCategory() override;
    QString getLabel() const override;
    QImage getIconImage(EIconSize eSize) const override;
    bool onMousePress(QMouseEvent* pEvent) override;
    QCursor getNormalCursor() const override;
};
