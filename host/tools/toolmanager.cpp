#include "toolmanager.h"

#include "hostjournal.h"
#include "orrery.h"
#include "ownedvalue.h"
#include "tool.h"

#include <QSettings>
#include <algorithm>

namespace {

QString settingsKey(const QString& strTool, const QString& strProperty)
{
    return QStringLiteral("tools/%1/%2").arg(strTool, strProperty);
}

// INI files give every value back as text; a tool that stores a bool or a number must get one again.
QVariant asTypeOf(const QVariant& saved, const QVariant& current)
{
    if (!current.isValid() || saved.userType() == current.userType())
        return saved;
    QVariant converted = saved;
    if (converted.convert(current.userType()))
        return converted;
    return saved;
}

// What goes into the user settings. QSettings keeps the values in a process-wide cache that is
// dropped only at exit, after the plug-ins are unloaded, so texts are kept as copies. Colours and
// fonts are kept as their text, so that the file stays readable and editable by hand.
QVariant storable(const QVariant& value)
{
    const int iType = value.userType();
    if (iType >= QMetaType::FirstGuiType && iType <= QMetaType::LastGuiType && value.canConvert<QString>())
        return ownedValue(value.toString());
    return ownedValue(value);
}

} // namespace

// Holds back the announcements of the changes made while it lives; the outermost one sends them. A
// tool's one change may be several stores (a colour also rewrites its pen description) and may pass
// through other tools (the text pen hands its text settings on): what is shown must follow the end
// state, not each step.
class CToolManager::CChangeScope
{
public:
    explicit CChangeScope(CToolManager* pManager) : m_pManager(pManager) { ++m_pManager->m_iChanging; }
    ~CChangeScope()
    {
        if (--m_pManager->m_iChanging == 0)
            m_pManager->announceChanges();
    }

    CChangeScope(const CChangeScope&) = delete;
    CChangeScope& operator=(const CChangeScope&) = delete;

private:
    CToolManager* m_pManager;
};

CToolManager::CToolManager() = default;

CToolManager::~CToolManager()
{
    // Last registered goes first, so a tool never outlives one registered before it.
    while (!m_tools.empty())
        m_tools.pop_back();
}

bool CToolManager::registerTool(const boost::shared_ptr<CTool>& pTool)
{
    const QString strName = pTool ? pTool->getName() : QString();
    const bool bAccepted = pTool && !strName.isEmpty() && find(strName) == m_tools.end();
    if (bAccepted)
        m_tools.push_back(pTool);
    CHostJournal::record(QStringLiteral("CToolManager::registerTool %1 -> %2")
                             .arg(strName, bAccepted ? QStringLiteral("true") : QStringLiteral("false")));
    if (bAccepted) {
        const CChangeScope scope(this);
        loadSettingsOf(pTool.get());
    }
    return bAccepted;
}

boost::shared_ptr<CTool> CToolManager::unregisterTool(const QString& strName)
{
    boost::shared_ptr<CTool> pTool;
    const auto it = find(strName);
    if (it != m_tools.end()) {
        pTool = *it;
        if (m_pActive == pTool.get())
            deactivate();
        m_tools.erase(find(strName));
    }
    CHostJournal::record(QStringLiteral("CToolManager::unregisterTool %1 -> %2")
                             .arg(strName, pTool ? QStringLiteral("tool") : QStringLiteral("null")));
    return pTool;
}

CTool* CToolManager::getToolByName(const QString& strName) const
{
    const auto it = find(strName);
    return it == m_tools.end() ? nullptr : it->get();
}

QStringList CToolManager::getToolNames() const
{
    QStringList names;
    for (const auto& pTool : m_tools)
        names.append(pTool->getName());
    return names;
}

bool CToolManager::activate(const QString& strName, bool bFlag)
{
    CTool* pTool = getToolByName(strName);
    if (!pTool)
        return false;
    const CChangeScope scope(this);
    // The previous tool must let go of the board (its ink, its selection) before the next one
    // takes it over.
    if (m_pActive && m_pActive != pTool)
        m_pActive->finishPendingWork();
    // Finishing may have changed tools in turn.
    if (m_pActive && m_pActive != pTool)
        deactivate(bFlag);
    m_pActive = pTool;
    pTool->activate(bFlag);
    CHostJournal::record(QStringLiteral("CToolManager::activate %1").arg(strName));
    emit signalToolActivated(strName);
    // The activation itself tells everybody to show the tool's settings as they now are.
    m_changedTools.removeAll(strName);
    return true;
}

void CToolManager::deactivate(bool bFlag)
{
    const CChangeScope scope(this);
    CTool* pTool = m_pActive;
    // Cleared first: a tool that asks who is active while it deactivates is no longer it.
    m_pActive = nullptr;
    if (!pTool)
        return;
    pTool->deactivate(bFlag);
    emit signalToolDeactivated(pTool->getName());
}

bool CToolManager::setToolProperty(const QString& strTool, const QString& strProperty, const QVariant& value,
                                   bool bSave)
{
    CTool* pTool = getToolByName(strTool);
    if (!pTool)
        return false;
    const CChangeScope scope(this);
    pTool->setToolProperty(strProperty, value);
    CHostJournal::record(
        QStringLiteral("CToolManager::setToolProperty %1 %2 %3").arg(strTool, strProperty, value.toString()));
    emit signalToolPropertyChanged(strTool, strProperty, pTool->getToolProperty(strProperty));
    if (bSave)
        saveToolSettings();
    return true;
}

void CToolManager::saveToolSettings()
{
    QSettings* pSettings = COrrery::getUserSettings();
    for (const auto& pTool : m_tools) {
        const QString strTool = pTool->getName();
        for (const QString& strProperty : pTool->getPersistentProperties()) {
            const QVariant value = pTool->getToolProperty(strProperty);
            // An unset property has nothing to give back; saving it would overwrite it with nothing.
            if (value.isValid())
                pSettings->setValue(settingsKey(strTool, strProperty), storable(value));
        }
    }
    pSettings->sync();
    CHostJournal::record(QStringLiteral("CToolManager::saveToolSettings"));
}

void CToolManager::loadToolSettings()
{
    const CChangeScope scope(this);
    // A copy: a tool may register or withdraw tools while it takes its settings.
    const std::vector<boost::shared_ptr<CTool>> tools = m_tools;
    for (const auto& pTool : tools)
        loadSettingsOf(pTool.get());
}

void CToolManager::onExit()
{
    for (const auto& pTool : m_tools)
        pTool->onExit();
    saveToolSettings();
}

void CToolManager::noteSettingStored(const CTool* pTool)
{
    // A tool still being made, or one this manager does not hold, has nobody to tell.
    const auto it =
        std::find_if(m_tools.begin(), m_tools.end(),
                     [pTool](const boost::shared_ptr<CTool>& pOwn) { return pOwn.get() == pTool; });
    if (it == m_tools.end())
        return;
    const QString strTool = pTool->getName();
    if (!m_changedTools.contains(strTool))
        m_changedTools.append(strTool);
    // A tool that changes itself outside any call of the manager is announced at once.
    if (m_iChanging == 0)
        announceChanges();
}

void CToolManager::announceChanges()
{
    // Taken first: those who hear of a change may change tools again.
    const QStringList changed = m_changedTools;
    m_changedTools.clear();
    for (const QString& strTool : changed)
        emit signalToolSettingsChanged(strTool);
}

void CToolManager::loadSettingsOf(CTool* pTool)
{
    QSettings* pSettings = COrrery::getUserSettings();
    const QString strTool = pTool->getName();
    for (const QString& strProperty : pTool->getPersistentProperties()) {
        const QString strKey = settingsKey(strTool, strProperty);
        const QVariant saved = pSettings->value(strKey);
        if (saved.isValid())
            pTool->setToolProperty(strProperty, asTypeOf(saved, pTool->getToolProperty(strProperty)));
    }
}

std::vector<boost::shared_ptr<CTool>>::const_iterator CToolManager::find(const QString& strName) const
{
    return std::find_if(m_tools.begin(), m_tools.end(), [&strName](const boost::shared_ptr<CTool>& pTool) {
        return pTool->getName() == strName;
    });
}
