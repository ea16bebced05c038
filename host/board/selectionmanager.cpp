#include "selectionmanager.h"

#include "component.h"
#include "hostjournal.h"
#include "orrery.h"
#include "orreryview.h"

#include <QGraphicsItem>
#include <QGraphicsScene>
#include <algorithm>

namespace {

QGraphicsScene* boardScene()
{
    COrreryView* pView = COrrery::getView();
    return pView ? pView->scene() : nullptr;
}

// The components under the view point, front-most first.
QList<CComponent*> componentsUnder(const QPoint& viewPoint)
{
    QList<CComponent*> result;
    COrreryView* pView = COrrery::getView();
    QGraphicsScene* pScene = boardScene();
    if (!pScene)
        return result;
    const QList<QGraphicsItem*> items = pScene->items(pView->mapToScene(viewPoint), Qt::IntersectsItemShape,
                                                      Qt::DescendingOrder, pView->transform());
    for (QGraphicsItem* pItem : items)
        if (CComponent* pComponent = COrreryView::componentOf(pItem))
            result.append(pComponent);
    return result;
}

} // namespace

CSelectionManager::CSelectionManager(QObject* pParent) : QObject(pParent)
{
}

CSelectionManager::~CSelectionManager() = default;

QList<CComponent*> CSelectionManager::selectedItemsUnderMouse(const QPoint& viewPoint) const
{
    QList<CComponent*> result;
    for (CComponent* pComponent : componentsUnder(viewPoint))
        if (pComponent->getGraphicsItem()->isSelected())
            result.append(pComponent);
    return result;
}

CComponent* CSelectionManager::selectAt(const QPoint& viewPoint, QFlags<ESelectionControl> controls)
{
    const QList<CComponent*> before = selectedComponents();
    const QList<CComponent*> under = componentsUnder(viewPoint);
    CComponent* pFront = under.isEmpty() ? nullptr : under.first();

    QGraphicsScene* pScene = boardScene();
    if (pScene) {
        ++m_iChanging;
        const bool bWasSelected = pFront && pFront->getGraphicsItem()->isSelected();
        if (!controls.testFlag(eAddToSelection))
            pScene->clearSelection();
        if (pFront)
            pFront->getGraphicsItem()->setSelected(!(controls.testFlag(eToggle) && bWasSelected));
        --m_iChanging;
    }

    CHostJournal::record(QStringLiteral("CSelectionManager::selectAt %1,%2 -> %3")
                             .arg(viewPoint.x())
                             .arg(viewPoint.y())
                             .arg(pFront ? pFront->getType() : QStringLiteral("none")));
    const QList<CComponent*> after = selectedComponents();
    if (after != before)
        emit signalSelectionChanged(after.size());
    return pFront;
}

int CSelectionManager::countCurrentlySelected() const
{
    return selectedComponents().size();
}

QList<CComponent*> CSelectionManager::selectedComponents() const
{
    QList<CComponent*> result;
    QGraphicsScene* pScene = boardScene();
    if (!pScene)
        return result;
    // The scene keeps its selection unordered; back to front is stable and what a user sees. Only
    // the selected items are put in order, not the whole page: components' depths follow the page.
    QList<QGraphicsItem*> selected = pScene->selectedItems();
    std::stable_sort(selected.begin(), selected.end(), [](const QGraphicsItem* pA, const QGraphicsItem* pB) {
        return pA->zValue() < pB->zValue();
    });
    for (QGraphicsItem* pItem : selected)
        if (CComponent* pComponent = COrreryView::componentOf(pItem))
            result.append(pComponent);
    return result;
}

void CSelectionManager::select(CComponent* pComponent, bool bAddToSelection)
{
    QGraphicsScene* pScene = boardScene();
    if (!pScene)
        return;
    const QList<CComponent*> before = selectedComponents();
    ++m_iChanging;
    if (!bAddToSelection)
        pScene->clearSelection();
    if (pComponent && pComponent->getGraphicsItem()->scene() == pScene)
        pComponent->getGraphicsItem()->setSelected(true);
    --m_iChanging;
    const QList<CComponent*> after = selectedComponents();
    if (after != before)
        emit signalSelectionChanged(after.size());
}

void CSelectionManager::clearSelection()
{
    QGraphicsScene* pScene = boardScene();
    if (!pScene)
        return;
    const int iBefore = countCurrentlySelected();
    ++m_iChanging;
    pScene->clearSelection();
    --m_iChanging;
    if (iBefore != 0)
        emit signalSelectionChanged(0);
}

void CSelectionManager::followScene(QGraphicsScene* pScene)
{
    if (pScene == m_pFollowed)
        return;
    const bool bSwitched = m_pFollowed;
    if (m_pFollowed)
        disconnect(m_pFollowed, nullptr, this, nullptr);
    m_pFollowed = pScene;
    if (pScene)
        connect(pScene, &QGraphicsScene::selectionChanged, this,
                &CSelectionManager::slotSceneSelectionChanged);
    // Another page brings its own selection, or none.
    if (bSwitched)
        emit signalSelectionChanged(countCurrentlySelected());
}

void CSelectionManager::slotSceneSelectionChanged()
{
    if (m_iChanging == 0)
        emit signalSelectionChanged(countCurrentlySelected());
}
