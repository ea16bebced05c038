// The host's laser pen "laserpen": a pointer for showing things on the board. While it is active the
// pen moves a red dot over the board that fades when the pen rests; it writes, selects and changes
// nothing.
#pragma once

#include "tool.h"

#include <QPointer>

class CLaserPointerOverlay;

class CLaserPenTool : public CTool
{
public:
    CLaserPenTool();
    ~CLaserPenTool() override;

    QString getName() const override;
    QString getLabel() const override;
    QImage getIconImage(EIconSize eSize) const override;
    QCursor getNormalCursor() const override;
    bool onMousePress(QMouseEvent* pEvent) override;
    bool onMouseMove(QMouseEvent* pEvent) override;
    bool onMouseRelease(QMouseEvent* pEvent) override;
    bool onMouseDoubleClick(QMouseEvent* pEvent) override;

    // The dot over the board; null while the tool is not active or the host shows no board.
    CLaserPointerOverlay* pointer() const;

protected:
    void activate(bool bFlag) override;
    void deactivate(bool bFlag) override;

private:
    // Every event of the pen only moves the dot: answered as taken, so that the board does nothing.
    bool point(QMouseEvent* pEvent, bool bPressed);

    QPointer<CLaserPointerOverlay> m_pPointer;
    // Whether the board followed the bare pointer before the laser pen made it.
    bool m_bViewTracked = false;
};
