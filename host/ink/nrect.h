// The host's integer rectangle of view coordinates, as the ink of a writing reports its bounds.
#pragma once

#include <QRect>

class CNRect
{
public:
    CNRect() = default;
    CNRect(int iLeft, int iTop, int iWidth, int iHeight) : m_rect(iLeft, iTop, iWidth, iHeight) {}
    explicit CNRect(const QRect& rect) : m_rect(rect) {}

    int left() const { return m_rect.left(); }
    int top() const { return m_rect.top(); }
    int width() const { return m_rect.width(); }
    int height() const { return m_rect.height(); }
    bool isEmpty() const { return m_rect.isEmpty(); }

    operator QRect() const { return m_rect; }

private:
    QRect m_rect;
};
