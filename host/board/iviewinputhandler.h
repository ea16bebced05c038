// What the board view hands its mouse events to (the active tool): a handler that answers true has
// used the event, and the view does nothing more with it.
#pragma once

class QMouseEvent;

class IViewInputHandler
{
public:
    virtual ~IViewInputHandler() = default;

    virtual bool onMousePress(QMouseEvent* pEvent) = 0;
    virtual bool onMouseMove(QMouseEvent* pEvent) = 0;
    virtual bool onMouseRelease(QMouseEvent* pEvent) = 0;
    virtual bool onMouseDoubleClick(QMouseEvent* pEvent) = 0;
};
