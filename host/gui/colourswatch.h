// The small pictures by which the host's colour choosers show a colour: the colour over a
// chequerboard (so that a see-through colour looks see-through) in a thin frame, or, for no colour, a
// white field struck through in red.
#pragma once

#include <QColor>
#include <QIcon>
#include <QSize>

class CColourSwatch
{
public:
    static QIcon icon(const QColor& color, const QSize& size);
    static QIcon noneIcon(const QSize& size);
};
