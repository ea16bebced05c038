// The selection on the board: which components are selected, and selecting by a point of the view.
#pragma once

#include <QFlags>
#include <QList>
#include <QObject>
#include <QPoint>

class CComponent;

class CSelectionManager : public QObject
{
    Q_OBJECT

public:
    enum ESelectionControl
    {
        eNoControl = 0,
        eAddToSelection = 1, // keep what is selected already
        eToggle = 2          // a selected component at the point is deselected
    };
    Q_DECLARE_FLAGS(ESelectionControls, ESelectionControl)

    explicit CSelectionManager(QObject* pParent = nullptr);
    ~CSelectionManager() override;

    // The selected components whose shapes contain the view point, front-most first.
    QList<CComponent*> selectedItemsUnderMouse(const QPoint& viewPoint) const;
    // Selects the front-most component at the view point (the selection is cleared first unless
    // eAddToSelection); answers it, or null when nothing lies there.
    CComponent* selectAt(const QPoint& viewPoint, QFlags<ESelectionControl> controls);
    int countCurrentlySelected() const;
    QList<CComponent*> selectedComponents() const;
    void select(CComponent* pComponent, bool bAddToSelection = false);
    void clearSelection();

signals:
    void signalSelectionChanged(int iSelectedCount);
};

Q_DECLARE_OPERATORS_FOR_FLAGS(CSelectionManager::ESelectionControls)
