// The host's ready-made plug-in base: sensible answers for everything a plug-in need not care about,
// a plug-in's own property values and its enabled state.
#pragma once

#include "iplugin.h"

#include <QVariantMap>

class CAbstractPlugin : public IPlugin
{
    Q_OBJECT
    Q_INTERFACES(IPlugin)

public:
    explicit CAbstractPlugin(QObject* pParent = nullptr);
    ~CAbstractPlugin() override;

    bool setUp() override;
    void tearDown() override;
    QString getID() override;
    bool initialize(QString* pstrErrorMessage) override;
    QString getPluginName() override;
    QString getPluginDescription() const override;
    QIcon getPluginIcon() const override;
    bool isEnabled() const override;
    void setEnabled(bool bEnabled) override;
    bool hasSettingsUi() const override;
    bool showSettingsUi(QWidget* pParent) const override;
    bool hasAbout() const override;
    bool showAbout(QWidget* pParent) const override;
    bool hasHelp() const override;
    bool showHelp(QWidget* pParent) const override;
    QVariant getPropertyValue(const QString& strName) const override;
    QStringList getPropertyNames() const override;
    void setPropertyValue(const QString& strName, const QVariant& value) override;
    void onInstallation() override;
    void onUninstallation() override;

protected:
    void retranslatePluginUi(QString strLocale, bool bIsRightToLeft) override;

private:
    bool m_bEnabled = true;
    QVariantMap m_properties;
};
