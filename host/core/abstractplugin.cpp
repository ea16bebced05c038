#include "abstractplugin.h"

CAbstractPlugin::CAbstractPlugin(QObject* pParent) : IPlugin(pParent)
{
}

CAbstractPlugin::~CAbstractPlugin() = default;

bool CAbstractPlugin::setUp()
{
    return true;
}

void CAbstractPlugin::tearDown()
{
}

QString CAbstractPlugin::getID()
{
    return QString();
}

bool CAbstractPlugin::initialize(QString* pstrErrorMessage)
{
    if (pstrErrorMessage)
        pstrErrorMessage->clear();
    return true;
}

QString CAbstractPlugin::getPluginName()
{
    return QString();
}

QString CAbstractPlugin::getPluginDescription() const
{
    return QString();
}

QIcon CAbstractPlugin::getPluginIcon() const
{
    return QIcon();
}

bool CAbstractPlugin::isEnabled() const
{
    return m_bEnabled;
}

void CAbstractPlugin::setEnabled(bool bEnabled)
{
    m_bEnabled = bEnabled;
}

bool CAbstractPlugin::hasSettingsUi() const
{
    return false;
}

bool CAbstractPlugin::showSettingsUi(QWidget*) const
{
    return false;
}

bool CAbstractPlugin::hasAbout() const
{
    return false;
}

bool CAbstractPlugin::showAbout(QWidget*) const
{
    return false;
}

bool CAbstractPlugin::hasHelp() const
{
    return false;
}

bool CAbstractPlugin::showHelp(QWidget*) const
{
    return false;
}

QVariant CAbstractPlugin::getPropertyValue(const QString& strName) const
{
    return m_properties.value(strName);
}

QStringList CAbstractPlugin::getPropertyNames() const
{
    return m_properties.keys();
}

void CAbstractPlugin::setPropertyValue(const QString& strName, const QVariant& value)
{
    m_properties.insert(strName, value);
}

void CAbstractPlugin::onInstallation()
{
}

void CAbstractPlugin::onUninstallation()
{
}

void CAbstractPlugin::retranslatePluginUi(QString, bool)
{
}
