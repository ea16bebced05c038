// The host's context bars by name. The flag given at registration says whether the host shows the bar
// by itself while the bar's tool is selected; the flag given at withdrawal whether the bar is hidden
// at once. Once it has a host window, the manager docks the bars it shows by itself along the window's
// bottom edge, and shows or hides them as their tools are activated. A change of the active tool's
// settings announces the tool to the bars again, so that they show what it now holds. A bar the user
// hid stays hidden, whatever its tool does, until the user shows it again.
#pragma once

#include <QMainWindow>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <boost/shared_ptr.hpp>
#include <vector>

class CContextbarInterface;
class CToolManager;

class CContextbarManager : public QObject
{
    Q_OBJECT

public:
    CContextbarManager();
    ~CContextbarManager() override;

    CContextbarManager(const CContextbarManager&) = delete;
    CContextbarManager& operator=(const CContextbarManager&) = delete;

    // Refuses a null bar, one without a name and a name already registered.
    bool registerContextbar(const boost::shared_ptr<CContextbarInterface>& pBar, bool bShownByHost);
    // False when no bar has that name.
    bool unregisterContextbar(const QString& strName, bool bHide);

    CContextbarInterface* getContextbar(const QString& strName) const;
    QStringList getContextbarNames() const;
    bool isShownByHost(const QString& strName) const;

    // The tool manager whose activations decide which bars are shown; null stops listening. Bars are
    // told of tool changes only while there is a host window.
    void watchTools(CToolManager* pToolManager);
    // The window whose bottom edge holds the bars. A bar is initialised with the window the first time
    // it is to be shown. Null takes every bar out of the current window without deleting any: the
    // bars belong to whoever registered them, so a window must let go of them before it is destroyed.
    void setHostWindow(QMainWindow* pWindow);
    QMainWindow* hostWindow() const { return m_pWindow; }

    // The user's choice, kept by name so that it holds for a bar registered later. A bar shown by the
    // host is on screen exactly while its tool is selected and the user has not hidden it.
    void setHiddenByUser(const QString& strName, bool bHidden);
    bool isHiddenByUser(const QString& strName) const { return m_hiddenByUser.contains(strName); }
    QStringList hiddenByUser() const { return m_hiddenByUser; }
    void setHiddenByUser(const QStringList& names);

signals:
    // The user hid or showed a bar again.
    void signalHiddenByUserChanged(const QStringList& names);

private:
    struct SEntry
    {
        QString strName;
        boost::shared_ptr<CContextbarInterface> pBar;
        bool bShownByHost;
    };

    void slotToolActivated(const QString& strTool);
    void slotToolDeactivated(const QString& strTool);
    void slotToolSettingsChanged(const QString& strTool);
    // Initialises the bar the first time, and docks it hidden at the bottom of the window.
    void prepare(CContextbarInterface* pBar);
    void undock(CContextbarInterface* pBar);
    void tellSelection(const SEntry& entry, const QString& strTool, bool bSelected);
    void showOrHide(const SEntry& entry);

    std::vector<SEntry> m_bars;
    QPointer<CToolManager> m_pToolManager;
    QPointer<QMainWindow> m_pWindow;
    std::vector<CContextbarInterface*> m_initialised;
    QStringList m_hiddenByUser;
};
