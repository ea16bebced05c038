// The selection on the board: which components are selected, and selecting by a point of the view.
// It follows the page's own selection too, so that what the board view selects by itself (a click, a
// rubber band) and what leaves the page (undo, delete) is announced like any other change.
#pragma once

#include <QFlags>
#include <QList>
#include <QObject>
#include <QPoint>
#include <QPointer>

class CComponent;
class QGraphicsScene;

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
    // The scene of the page the board shows now; its changes of selection are announced from then on.
    void followScene(QGraphicsScene* pScene);

signals:
    void signalSelectionChanged(int iSelectedCount);

private:
    void slotSceneSelectionChanged();

    QPointer<QGraphicsScene> m_pFollowed;
    // While this manager changes the selection itself it announces the result once, not every step.
    int m_iChanging = 0;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(CSelectionManager::ESelectionControls)
