// The host's plug-in interface: what the host asks of every plug-in object it loads.
#pragma once

#include <QIcon>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>

class QWidget;

class IPlugin : public QObject
{
    Q_OBJECT

public:
    explicit IPlugin(QObject* pParent = nullptr) : QObject(pParent) {}
    ~IPlugin() override = default;

    virtual bool setUp() = 0;
    virtual void tearDown() = 0;
    virtual QString getID() = 0;
    virtual bool initialize(QString* pstrErrorMessage) = 0;
    virtual QString getPluginName() = 0;
    virtual QString getPluginDescription() const = 0;
    virtual QIcon getPluginIcon() const = 0;
    virtual bool isEnabled() const = 0;
    virtual void setEnabled(bool bEnabled) = 0;
    virtual bool hasSettingsUi() const = 0;
    virtual bool showSettingsUi(QWidget* pParent) const = 0;
    virtual bool hasAbout() const = 0;
    virtual bool showAbout(QWidget* pParent) const = 0;
    virtual bool hasHelp() const = 0;
    virtual bool showHelp(QWidget* pParent) const = 0;
    virtual QVariant getPropertyValue(const QString& strName) const = 0;
    virtual QStringList getPropertyNames() const = 0;
    virtual void setPropertyValue(const QString& strName, const QVariant& value) = 0;
    virtual void onInstallation() = 0;
    virtual void onUninstallation() = 0;

protected:
    virtual void retranslatePluginUi(QString strLocale, bool bIsRightToLeft) = 0;
};

#define IPlugin_iid "pallion.cpluginex/1.3"
Q_DECLARE_INTERFACE(IPlugin, IPlugin_iid)
