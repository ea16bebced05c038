// The Page menu: new, delete and move pages, go to the one before or after; and where the board is,
// "Page 2 of 5", in the window's status bar. Page Up and Page Down turn the pages wherever the
// keyboard is, except in a box being typed into, whose caret they move.
#pragma once

#include <QObject>

class QAction;
class QLabel;
class QMainWindow;
class QMenu;

class CPageMenu : public QObject
{
    Q_OBJECT

public:
    // Fills the menu and puts the page's place in the window's status bar.
    CPageMenu(QMainWindow* pWindow, QMenu* pMenu);
    ~CPageMenu() override;

    QAction* newPageAction() const { return m_pNew; }
    QAction* deletePageAction() const { return m_pDelete; }
    QAction* previousPageAction() const { return m_pPrevious; }
    QAction* nextPageAction() const { return m_pNext; }
    QAction* movePageUpAction() const { return m_pMoveUp; }
    QAction* movePageDownAction() const { return m_pMoveDown; }
    // What the status bar says.
    QString positionText() const;

    // Shows the page iSteps away from the current one; false when there is none.
    static bool turnPages(int iSteps);

protected:
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

private:
    void refresh();
    void movePage(int iSteps);

    QAction* m_pNew;
    QAction* m_pDelete;
    QAction* m_pMoveUp;
    QAction* m_pMoveDown;
    QAction* m_pPrevious;
    QAction* m_pNext;
    QLabel* m_pPosition;
};
