// The host's font family box. Like CComboBox, it tells when its list opens and closes.
#pragma once

#include <QFontComboBox>

class CFontComboBox : public QFontComboBox
{
    Q_OBJECT

public:
    explicit CFontComboBox(QWidget* pParent = nullptr);
    ~CFontComboBox() override;

    void showPopup() override;
    void hidePopup() override;

signals:
    void signalPopupShown();
    void signalPopupHidden();
};
