// The host's combo box. It tells when its list opens and closes, so that a context bar that hides
// itself once the pointer leaves it stays up while the user picks from the list.
#pragma once

#include <QComboBox>

class CComboBox : public QComboBox
{
    Q_OBJECT

public:
    explicit CComboBox(QWidget* pParent = nullptr);
    ~CComboBox() override;

    void showPopup() override;
    void hidePopup() override;

signals:
    void signalPopupShown();
    void signalPopupHidden();
};
