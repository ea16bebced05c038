// The whiteboard's main window: the board, a tool bar with the registered tools, and the menus in
// which the host and its plug-ins place their entries.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QStringList>

class CBoardDocument;
class CBoardHint;
class CBoardPrinter;
class CHandwritingLanguageMenu;
class COrreryView;
class CPageListPanel;
class CPageMenu;
class CToolPropertiesDock;
class QActionGroup;
class QMenu;
class QToolBar;
class CZoomController;

class CMainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit CMainWindow(QWidget* pParent = nullptr);
    ~CMainWindow() override;

    QMenu* toolsMenu() const { return m_pToolsMenu; }
    QMenu* languageMenu() const { return m_pLanguageMenu; }
    QMenu* viewMenu() const { return m_pViewMenu; }
    QToolBar* toolBar() const { return m_pToolBar; }
    // Deletes the selected components in one undoable step; offered only while something is selected.
    QAction* deleteAction() const { return m_pDeleteAction; }
    COrreryView* board() const { return m_pBoard; }
    // The board's file, its unsaved changes and their recovery copy.
    CBoardDocument* document() const { return m_pDocument; }
    CToolPropertiesDock* toolProperties() const { return m_pToolProperties; }
    CZoomController* zoomController() const { return m_pZoom; }
    CBoardPrinter* boardPrinter() const { return m_pPrinter; }
    CPageMenu* pageMenu() const { return m_pPageMenu; }
    CPageListPanel* pageList() const { return m_pPageList; }

    // One line per plug-in in the Plug-ins menu, so the user sees what was loaded and what refused.
    void addPluginReport(const QString& strLine, bool bLoaded);
    // Puts a button on the tool bar for every registered tool (plug-ins register theirs at set-up).
    void refreshTools();
    void refreshRecognizers();

    // The handwriting language the user chose last, English before any choice.
    static QString savedRecognitionLanguage();
    // Starts switching the handwriting recognizer's language and returns at once; the choice is kept
    // once the language is in use. A language that cannot be read is reported once and the language
    // in use stays.
    void chooseRecognitionLanguage(const QString& strCode);

    // Switches the user interface to the locale ("de_DE") and lays the application out in its direction;
    // the choice is kept for the next start.
    void chooseLanguage(const QString& strLocale);

    // Saves the current page, all of it at its own size, as a PNG picture; false when it cannot be
    // written.
    bool exportBoard(const QString& strPath) const;

protected:
    void closeEvent(QCloseEvent* pEvent) override;
    void changeEvent(QEvent* pEvent) override;

private:
    void slotToolActivated(const QString& strTool);
    void buildFileMenu();
    void buildEditMenu();
    // Every dock and bar of the window by name, to show or hide it; made afresh each time it opens.
    void buildViewMenu();
    void refreshViewMenu();
    // The arrows of Undo and Redo point the way the layout reads.
    void pickDirectionalIcons();
    void mirrorDocks();
    // A hint on the empty board for whoever has never written on it.
    void showFirstStartHint();
    // What the hint says: how to write text when a plug-in brought a pen for it.
    QString hintText() const;
    void buildToolsMenu();
    // The active tool's on/off settings that an editor is registered for, as checkable entries at the
    // end of the Tools menu under their editors' labels, following the tool both ways.
    void buildOptionEntries();
    void refreshOptionEntries();
    void showOptionValues(const QString& strTool);
    void buildToolBar();
    // Follows the tool and recognizer managers and docks the context bars in this window.
    void followManagers();
    // The context bars the user hid stay hidden, across restarts too.
    void keepHiddenBars();
    void restoreLayout();
    void buildLanguageMenu();
    void deleteSelection();
    void slotExportBoard();
    void refreshLanguageMenu();
    void keepWritingFlowing();

    COrreryView* m_pBoard = nullptr;
    CBoardDocument* m_pDocument = nullptr;
    QMenu* m_pToolsMenu = nullptr;
    QMenu* m_pPluginsMenu = nullptr;
    QMenu* m_pRecognizerMenu = nullptr;
    QMenu* m_pLanguageMenu = nullptr;
    QMenu* m_pViewMenu = nullptr;
    QToolBar* m_pToolBar = nullptr;
    CToolPropertiesDock* m_pToolProperties = nullptr;
    CPageMenu* m_pPageMenu = nullptr;
    CPageListPanel* m_pPageList = nullptr;
    QActionGroup* m_pToolGroup = nullptr;
    QAction* m_pDeleteAction = nullptr;
    QList<QAction*> m_optionEntries;
    QAction* m_pUndoButton = nullptr;
    QAction* m_pRedoButton = nullptr;
    QPointer<CBoardHint> m_pHint;
    // The tools there before any plug-in was loaded.
    QStringList m_hostTools;
    CHandwritingLanguageMenu* m_pHandwritingLanguages = nullptr;
    CZoomController* m_pZoom = nullptr;
    CBoardPrinter* m_pPrinter = nullptr;
};
