// A font family box and a font size box side by side, from the Designer form of the same name. It
// shows a family, or no single family, and reports the user's choice as "family;size". Which of the
// two boxes are shown is chosen when it is built.
#pragma once

#include "textpropertieswidgetbase.h"
#include "ui_textpenfontfamilyandsizewidget.h"

#include <QString>

class CTextPenFontFamilyAndSizeWidget : public CTextPropertiesWidgetBase,
                                        private Ui::textPenFontFamilyAndSizeWidget
{
    Q_OBJECT

public:
    // iDisplayMode 1: family only; 2: size only; any other: both.
    CTextPenFontFamilyAndSizeWidget(QWidget* pParent, int iDisplayMode);

    // An empty family shows the mixed state: an entry with empty text, selected.
    void setFontFamily(const QString& family);

protected:
    // Only the widget itself reports a choice; outsiders connect to it by name.
    Q_SIGNAL void signalFontFamilyOrSizeSelected(const QString& strSelection);

private slots:
    void slotFontFamilyChanged(const QString& family);
};
