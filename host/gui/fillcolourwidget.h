// The host's chooser of a fill colour, such as the background of a text box: no fill, opaque shades
// and see-through ones. The user's choice is announced as a pen description: "normal;#AARRGGBB" for
// an opaque shade, "highlighter;#AARRGGBB" for a see-through one, and for no fill "null;" followed
// by fully transparent white, so that every choice carries a colour. Shown values may also name no
// fill by the bare "null".
#pragma once

#include "colourshadeswidget.h"

class CFillcolourWidget : public CColourShadesWidget
{
    Q_OBJECT

public:
    explicit CFillcolourWidget(QWidget* pParent = nullptr);
    ~CFillcolourWidget() override;
};
