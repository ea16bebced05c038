// A fresh host with its user settings in a temporary file and a board view showing the current page.
#pragma once

#include "guilayer.h"
#include "orreryview.h"
#include "workspace.h"

#include <QTemporaryDir>
#include <memory>

class CBoardHost
{
public:
    void start()
    {
        SHostOptions options;
        options.strSettingsFile = settingsFile();
        QFile::remove(options.strSettingsFile);
        CGUILayer::resetHost(options);
        m_pView = std::make_unique<COrreryView>();
        COrrery::setView(m_pView.get());
        m_pView->showTopic(COrrery::getWorkspace()->getCurrentTopic());
    }
    void stop()
    {
        m_pView.reset();
        CGUILayer::shutdownHost();
    }
    QString settingsFile() const { return m_dir.filePath(QStringLiteral("settings.ini")); }
    COrreryView* view() const { return m_pView.get(); }

private:
    QTemporaryDir m_dir;
    std::unique_ptr<COrreryView> m_pView;
};
