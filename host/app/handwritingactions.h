// "Show handwriting" and "Show text" for the board: actions for the Edit menu, enabled while the one
// selected component is a text box that keeps the writing it came from, or ink that keeps the box it
// stands for; and a menu of them when the user right-clicks such a one with the select tool.
#pragma once

#include <QObject>

class CComponent;
class COrreryView;
class QAction;

class CHandwritingActions : public QObject
{
    Q_OBJECT

public:
    CHandwritingActions(COrreryView* pBoard, QObject* pParent);

    QAction* showHandwritingAction() const { return m_pShowHandwriting; }
    QAction* showTextAction() const { return m_pShowText; }

protected:
    bool eventFilter(QObject* pObject, QEvent* pEvent) override;

private:
    // The selected component when it is the only one; else null.
    CComponent* selectedComponent() const;
    void slotRefresh();
    void slotShowHandwriting();
    void slotShowText();
    // Selects what the one shown in its place was, so that the user can turn it back at once.
    void selectInstead(CComponent* pComponent);

    COrreryView* m_pBoard;
    QAction* m_pShowHandwriting;
    QAction* m_pShowText;
};
