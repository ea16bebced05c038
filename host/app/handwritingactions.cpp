#include "handwritingactions.h"

#include "component.h"
#include "controllayer.h"
#include "handwritingkeeper.h"
#include "orrery.h"
#include "orreryview.h"
#include "selectionmanager.h"
#include "tool.h"
#include "toolmanager.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QMenu>
#include <QUndoStack>

CHandwritingActions::CHandwritingActions(COrreryView* pBoard, QObject* pParent)
    : QObject(pParent), m_pBoard(pBoard), m_pShowHandwriting(new QAction(tr("Show &handwriting"), this)),
      m_pShowText(new QAction(tr("Show te&xt"), this))
{
    connect(m_pShowHandwriting, &QAction::triggered, this, &CHandwritingActions::slotShowHandwriting);
    connect(m_pShowText, &QAction::triggered, this, &CHandwritingActions::slotShowText);
    if (CSelectionManager* pSelection = COrrery::getSelectionManager())
        connect(pSelection, &CSelectionManager::signalSelectionChanged, this,
                &CHandwritingActions::slotRefresh);
    // Undo and redo may give the selected box its writing or take it away without a change of selection.
    connect(CControlLayer::get()->undoStack(), &QUndoStack::indexChanged, this,
            &CHandwritingActions::slotRefresh);
    m_pBoard->viewport()->installEventFilter(this);
    slotRefresh();
}

bool CHandwritingActions::eventFilter(QObject* pObject, QEvent* pEvent)
{
    CToolManager* pTools = COrrery::getToolManager();
    CTool* pTool = pTools ? pTools->getActiveTool() : nullptr;
    CSelectionManager* pSelection = COrrery::getSelectionManager();
    if (pEvent->type() != QEvent::ContextMenu || pObject != m_pBoard->viewport() || !pTool ||
        pTool->getName() != QLatin1String("select") || !pSelection)
        return QObject::eventFilter(pObject, pEvent);
    const QPoint at = static_cast<QContextMenuEvent*>(pEvent)->pos();
    CComponent* pComponent = nullptr;
    for (QGraphicsItem* pItem : m_pBoard->items(at))
        if ((pComponent = COrreryView::componentOf(pItem)))
            break;
    if (!CHandwritingKeeper::hasHandwriting(pComponent) && !CHandwritingKeeper::hasTextBox(pComponent))
        return QObject::eventFilter(pObject, pEvent);
    // The menu is about what was clicked, as it is anywhere else.
    pSelection->select(pComponent);
    QMenu menu;
    menu.addAction(CHandwritingKeeper::hasTextBox(pComponent) ? m_pShowText : m_pShowHandwriting);
    menu.exec(static_cast<QContextMenuEvent*>(pEvent)->globalPos());
    return true;
}

CComponent* CHandwritingActions::selectedComponent() const
{
    CSelectionManager* pSelection = COrrery::getSelectionManager();
    const QList<CComponent*> selected = pSelection ? pSelection->selectedComponents() : QList<CComponent*>();
    return selected.size() == 1 ? selected.first() : nullptr;
}

void CHandwritingActions::slotRefresh()
{
    CComponent* pSelected = selectedComponent();
    m_pShowHandwriting->setEnabled(CHandwritingKeeper::hasHandwriting(pSelected));
    m_pShowText->setEnabled(CHandwritingKeeper::hasTextBox(pSelected));
}

void CHandwritingActions::slotShowHandwriting()
{
    if (CComponent* pSelected = selectedComponent())
        selectInstead(CHandwritingKeeper::showHandwriting(pSelected->getID()));
}

void CHandwritingActions::slotShowText()
{
    if (CComponent* pSelected = selectedComponent())
        selectInstead(CHandwritingKeeper::showText(pSelected->getID()));
}

void CHandwritingActions::selectInstead(CComponent* pComponent)
{
    CSelectionManager* pSelection = COrrery::getSelectionManager();
    if (pComponent && pSelection)
        pSelection->select(pComponent);
    slotRefresh();
}
