// The host application as its plug-ins see it: the managers, the user settings, the menu and the
// board's scale, reached through static getters. reset() builds a fresh host (the app once at start,
// tests before each case); shutdown() drops everything, which the app does before plug-ins unload.
#pragma once

#include <QString>
#include <memory>

class CActionManager;
class CContextbarManager;
class COrreryView;
class CPropertyEditorManager;
class CRecognizerManager;
class CSelectionManager;
class CToolManager;
class CWorkspace;
class IViewInputHandler;
class QMenu;
class QSettings;

// How a fresh host is built.
struct SHostOptions
{
    // A host may run without a tool manager; plug-ins must cope with that.
    bool bWithToolManager = true;
    // Where the user settings live; empty means the user's own settings of the app.
    QString strSettingsFile;
};

class COrrery
{
public:
    static CToolManager* getToolManager();
    static CActionManager* getActionManager();
    static CContextbarManager* getContextbarManager();
    static CPropertyEditorManager* getPropertyEditorManager();
    static CSelectionManager* getSelectionManager();
    static CRecognizerManager* getRecognizerManager();
    static CWorkspace* getWorkspace();
    static QSettings* getUserSettings();

    // The board view; null while the host shows no board. The view is not owned here.
    static COrreryView* getView();
    static void setView(COrreryView* pView);
    // What the view hands its mouse events to: the active tool, or null.
    static IViewInputHandler* getViewInputHandler();

    static double getLPToDPRatio();
    static void setLPToDPRatio(double dRatio);

    // Puts the action registered as strNewAction into the host's menu right after the entry
    // strExistingAction. False when either is unknown or the host has no menu.
    static bool addActionToMenuNextTo(const QString& strExistingAction, const QString& strNewAction);
    static void setMenu(QMenu* pMenu);

    static void reset(const SHostOptions& options = SHostOptions());
    static void shutdown();

    // The GUI layer's managers are made by the GUI layer and handed over here.
    static void installGuiManagers(std::shared_ptr<CContextbarManager> pContextbarManager,
                                   std::shared_ptr<CPropertyEditorManager> pPropertyEditorManager);
};
