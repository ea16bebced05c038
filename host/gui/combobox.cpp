#include "combobox.h"

CComboBox::CComboBox(QWidget* pParent) : QComboBox(pParent)
{
}

CComboBox::~CComboBox() = default;

void CComboBox::showPopup()
{
    QComboBox::showPopup();
    emit signalPopupShown();
}

void CComboBox::hidePopup()
{
    QComboBox::hidePopup();
    emit signalPopupHidden();
}
