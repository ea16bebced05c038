// The host's select tool "select": click or drag a band over the board to select, drag to move (one
// undo step however many move together), double-click a text box to type into it.
#pragma once

#include "tool.h"

#include <QHash>
#include <QPointF>

class CSelectTool : public CTool
{
public:
    QString getName() const override;
    QString getCategory() override;
    QString getLabel() const override;
    QImage getIconImage(EIconSize eSize) const override;
    bool onMousePress(QMouseEvent* pEvent) override;
    bool onMouseMove(QMouseEvent* pEvent) override;
    bool onMouseRelease(QMouseEvent* pEvent) override;
    bool onMouseDoubleClick(QMouseEvent* pEvent) override;

protected:
    void activate(bool bFlag) override;
    void deactivate(bool bFlag) override;

private:
    bool m_bDragging = false;
    // Where the components being dragged were before the drag, by id; empty until the drag moves.
    QHash<qint64, QPointF> m_dragStart;
};
