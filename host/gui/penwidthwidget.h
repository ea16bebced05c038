// The host's line width box: a drop-down list of widths, each drawn as a line of that thickness. A
// width the user picks is announced; widths shown from code are announced to no one. A width the list
// lacks is shown as an entry of its own among the others, which keeps the latest such width.
#pragma once

#include "combobox.h"

class CPenWidthWidget : public CComboBox
{
    Q_OBJECT

public:
    explicit CPenWidthWidget(QWidget* pParent = nullptr);
    ~CPenWidthWidget() override;

    // A width of zero or less (no width known) leaves no entry selected.
    void setPenWidth(double dWidth);
    // The selected width; 0.0 when no entry is selected.
    double penWidth() const;
    // The widths offered, thinnest first.
    QList<double> widths() const;

signals:
    void signalWidthChanged(double dWidth);

private:
    void insertWidth(double dWidth, bool bOwn);
    void slotActivated(int iIndex);
};
