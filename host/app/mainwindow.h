// The whiteboard's main window: the board, and the menus in which the host and its plug-ins place
// their entries.
#pragma once

#include <QMainWindow>

class QGraphicsScene;
class QGraphicsView;
class QMenu;

class CMainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit CMainWindow(QWidget* pParent = nullptr);
    ~CMainWindow() override;

    QMenu* toolsMenu() const { return m_pToolsMenu; }
    QGraphicsView* board() const { return m_pBoard; }

    // One line per plug-in in the Plug-ins menu, so the user sees what was loaded and what refused.
    void addPluginReport(const QString& strLine, bool bLoaded);

private:
    QGraphicsScene* m_pScene = nullptr;
    QGraphicsView* m_pBoard = nullptr;
    QMenu* m_pToolsMenu = nullptr;
    QMenu* m_pPluginsMenu = nullptr;
};
