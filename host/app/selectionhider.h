// Leaves a page's selection out of a picture of it: the selection's handles are the user's, not part
// of the page. The items are unselected while it lives and selected again when it goes.
#pragma once

#include <QGraphicsItem>
#include <QGraphicsScene>
#include <QList>

class CSelectionHider
{
public:
    explicit CSelectionHider(QGraphicsScene* pScene) : m_selected(pScene->selectedItems())
    {
        for (QGraphicsItem* pItem : m_selected)
            pItem->setSelected(false);
    }
    ~CSelectionHider()
    {
        for (QGraphicsItem* pItem : m_selected)
            pItem->setSelected(true);
    }
    CSelectionHider(const CSelectionHider&) = delete;
    CSelectionHider& operator=(const CSelectionHider&) = delete;

private:
    const QList<QGraphicsItem*> m_selected;
};
