// What a pen tool hears from the pen-tool base: gestures, and each finished piece of writing.
#pragma once

#include <boost/shared_ptr.hpp>

class CMouseEventPoint;
class CScribble;

class IPenEventListener
{
public:
    virtual ~IPenEventListener() = default;

    virtual void onTap(const CMouseEventPoint& point) = 0;
    virtual void onBeginHold(const CMouseEventPoint& point) = 0;
    virtual void onHoldMove(const CMouseEventPoint& point) = 0;
    virtual void onEndHold(const CMouseEventPoint& point) = 0;
    virtual void onDoubleTap(const CMouseEventPoint& point) = 0;
    virtual void onBeginTapHold(const CMouseEventPoint& point) = 0;
    virtual void onTapHoldMove(const CMouseEventPoint& point) = 0;
    virtual void onEndTapHold(const CMouseEventPoint& point) = 0;
    virtual void onBeginDrag(const CMouseEventPoint& point) = 0;
    virtual void onDragMove(const CMouseEventPoint& point) = 0;
    virtual void onEndDrag(const CMouseEventPoint& point) = 0;
    virtual void drawUnitLine(const CMouseEventPoint& from, const CMouseEventPoint& to,
                              const CScribble& scribble) = 0;
    virtual void onPenInput(boost::shared_ptr<CScribble> pScribble) = 0;
};
