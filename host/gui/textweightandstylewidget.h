// The host's bold, italic and underline switches: three toggle buttons "B", "I" and "U". The switches
// are shown together as a set of flags; a switch the user toggles is announced with its attribute
// name ("bold", "italic", "underline") and its new state, switches set from code are announced to no
// one.
#pragma once

#include <QString>
#include <QWidget>

class QToolButton;

class CTextWeightAndStyleWidget : public QWidget
{
    Q_OBJECT

public:
    // Flags; any combination of them is a valid value.
    enum EWeightAndStyle
    {
        eNoWeightOrStyle = 0,
        eBold = 1,
        eItalic = 2,
        eUnderline = 4
    };

    // With bLargeButtons, the switches are sized for a properties panel rather than a context bar.
    explicit CTextWeightAndStyleWidget(QWidget* pParent = nullptr, bool bLargeButtons = false);
    ~CTextWeightAndStyleWidget() override;

    void setWeightAndStyle(EWeightAndStyle eWeightAndStyle);
    EWeightAndStyle weightAndStyle() const;
    // The switch of an attribute, for whoever needs to show or press it; null for another name.
    QToolButton* button(const QString& strAttribute) const;

signals:
    void signalWeightAndStyleSelected(const QString& strAttribute, bool bOn);

private:
    QToolButton* makeButton(const QString& strAttribute, const QString& strLetter, const QString& strName,
                            int iSize);

    QToolButton* m_pBold;
    QToolButton* m_pItalic;
    QToolButton* m_pUnderline;
};
