// The host's select tool "select": click to select, drag to move, as the board view does by itself.
#pragma once

#include "tool.h"

class CSelectTool : public CTool
{
public:
    QString getName() const override;
    QString getCategory() override;
    QString getLabel() const override;
    QImage getIconImage(EIconSize eSize) const override;
    bool onMousePress(QMouseEvent* pEvent) override;

protected:
    void activate(bool bFlag) override;
    void deactivate(bool bFlag) override;
};
