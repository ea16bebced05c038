// The host's tools by name: registration and withdrawal, the active tool, property changes on any
// tool, and the saving and loading of each tool's persistent properties in the user settings
// ("tools/<tool>/<property>"). Owns the registered tools.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <boost/shared_ptr.hpp>
#include <vector>

class CTool;

class CToolManager : public QObject
{
    Q_OBJECT

public:
    CToolManager();
    ~CToolManager() override;

    // Refuses a null tool, a tool without a name and a name already registered. A registered tool
    // gets back its saved persistent properties.
    bool registerTool(const boost::shared_ptr<CTool>& pTool);
    // Hands the tool back to the caller (deactivated first if it was active); null when no tool
    // has that name.
    boost::shared_ptr<CTool> unregisterTool(const QString& strName);

    CTool* getToolByName(const QString& strName) const;
    QStringList getToolNames() const;

    // Makes the named tool the active one (the previous one is deactivated first). False for an
    // unknown name.
    bool activate(const QString& strName, bool bFlag = false);
    // Deactivates the active tool; nothing is active afterwards.
    void deactivate(bool bFlag = false);
    CTool* getActiveTool() const { return m_pActive; }

    // Sets a property of the named tool through the tool's own rules. With bSave, the tool's
    // persistent properties are saved at once. False for an unknown tool.
    bool setToolProperty(const QString& strTool, const QString& strProperty, const QVariant& value,
                         bool bSave);

    void saveToolSettings();
    void loadToolSettings();
    // The application is closing: every tool is told, then the settings are saved.
    void onExit();

    // A tool's store took a new value, by whatever way it was written; called by the tool itself.
    void noteSettingStored(const CTool* pTool);

signals:
    void signalToolActivated(const QString& strTool);
    // The tool is no longer the active one; when another takes its place, this comes first.
    void signalToolDeactivated(const QString& strTool);
    void signalToolPropertyChanged(const QString& strTool, const QString& strProperty, const QVariant& value);
    // Settings of the tool changed, through this manager or by the tool itself: sent once the change
    // is complete (after the tool has applied its own rules to it), so that whatever shows the tool's
    // settings can read all of them again.
    void signalToolSettingsChanged(const QString& strTool);

private:
    class CChangeScope;

    std::vector<boost::shared_ptr<CTool>>::const_iterator find(const QString& strName) const;
    void loadSettingsOf(CTool* pTool);
    void announceChanges();

    std::vector<boost::shared_ptr<CTool>> m_tools;
    CTool* m_pActive = nullptr;
    // How deep the manager is in calls that change tools; their changes are announced as the outermost
    // one ends, once per tool.
    int m_iChanging = 0;
    QStringList m_changedTools;
};
