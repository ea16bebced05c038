// The host's colour box: a drop-down list of colour swatches of one colour type ("normal" opaque
// colours, "highlighter" see-through ones). A colour the user picks is announced as the colour type,
// ";" and the colour's text ("normal;#FFFF0000"); colours shown from code are announced to no one.
#pragma once

#include "combobox.h"

#include <QColor>
#include <QString>

class CColorSelect : public CComboBox
{
    Q_OBJECT

public:
    CColorSelect(const QString& strColourType, QWidget* pParent = nullptr);
    ~CColorSelect() override;

    QString colourType() const { return m_strColourType; }

    // Selects the entry of that colour; a colour the list lacks is added to it first. An invalid
    // colour leaves no entry selected.
    void setCurrentColor(const QColor& color);
    // The colour of the selected entry; invalid when none is selected or the entry has no colour.
    QColor currentColor() const;

signals:
    void signalTypeAndColourSelected(const QString& strTypeAndColour);

private:
    void addColour(const QColor& color, const QString& strName);
    void slotActivated(int iIndex);

    QString m_strColourType;
};
