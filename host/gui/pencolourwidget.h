// The host's chooser of a pen's colour, such as the outline of a text box: opaque shades, and on
// request a shade for no pen at all. The user's choice is announced as a pen description,
// "normal;#AARRGGBB", or "null;" for no pen.
#pragma once

#include "colourshadeswidget.h"

class CPencolourWidget : public CColourShadesWidget
{
    Q_OBJECT

public:
    explicit CPencolourWidget(QWidget* pParent = nullptr);
    ~CPencolourWidget() override;

    // Offers the shade for no pen, first in the grid; asking again changes nothing.
    void addNoneColourShade();
};
