#include "fontcombobox.h"

CFontComboBox::CFontComboBox(QWidget* pParent) : QFontComboBox(pParent)
{
}

CFontComboBox::~CFontComboBox() = default;

void CFontComboBox::showPopup()
{
    QFontComboBox::showPopup();
    emit signalPopupShown();
}

void CFontComboBox::hidePopup()
{
    QFontComboBox::hidePopup();
    emit signalPopupHidden();
}
