// The host's line style box: a drop-down list of line styles (the codes of PenUtil::ELineStyle), each
// drawn as a sample line. Whoever shows a style also says which styles to offer: an empty list
// offers every drawn style, from solid to dash-dot-dot; a list offers exactly its codes, so that a
// pen that can only be drawn solid offers solid alone. A style the user picks is announced; styles
// shown from code are announced to no one.
#pragma once

#include "combobox.h"
#include "penutil.h"

#include <QList>
#include <QVariant>

class CLineStyleWidget : public CComboBox
{
    Q_OBJECT

public:
    explicit CLineStyleWidget(QWidget* pParent = nullptr);
    CLineStyleWidget(const QList<PenUtil::ELineStyle>& offered, QWidget* pParent = nullptr);
    ~CLineStyleWidget() override;

    // Offers the styles of the list and selects the style given (a code as int); an invalid value,
    // or a style not offered, leaves no entry selected.
    void setLineStyle(const QVariant& style, const QList<PenUtil::ELineStyle>& offered);
    // Selects a style among those offered now.
    void setLineStyle(PenUtil::ELineStyle eStyle);
    QList<PenUtil::ELineStyle> offeredStyles() const;
    // The selected style as an int; invalid when no entry is selected.
    QVariant lineStyle() const;

signals:
    void signalLineStyleChanged(PenUtil::ELineStyle eStyle);

private:
    void offer(const QList<PenUtil::ELineStyle>& offered);
    void select(const QVariant& style);
    void slotActivated(int iIndex);
};
