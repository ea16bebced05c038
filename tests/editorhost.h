// A fresh host with the text pen set up and active, for the tests of its property editors: editors
// are made by the host's manager from the prototypes set-up registered, as every surface gets them.
#pragma once

#include "guilayer.h"
#include "hostjournal.h"
#include "orreryview.h"
#include "propertyeditormanager.h"
#include "textpenplugin.h"
#include "tool.h"
#include "toolmanager.h"

#include <QTemporaryDir>
#include <QtTest>

class CEditorHost
{
public:
    void start()
    {
        SHostOptions options;
        options.strSettingsFile = m_dir.filePath(QStringLiteral("settings.ini"));
        QFile::remove(options.strSettingsFile);
        CGUILayer::resetHost(options);
        COrrery::setView(&m_view);
        m_plugin.setUp();
        COrrery::getToolManager()->activate(QStringLiteral("textpenplugin.handtext"));
        CHostJournal::clear();
    }
    static void stop() { CGUILayer::shutdownHost(); }

    static CTool* tool() { return COrrery::getToolManager()->getActiveTool(); }
    static boost::shared_ptr<CAbstractPropertyEditor> editor(const QString& strProperty, int iContext)
    {
        return COrrery::getPropertyEditorManager()->createEditor(
            strProperty, CAbstractPropertyEditor::EEditorContext(iContext));
    }
    // What the editors sent back to the host, in order.
    static QStringList applied()
    {
        return CHostJournal::entries(QStringLiteral("CAbstractPropertyEditor::"));
    }
    // Shown, so that the widget takes clicks as on screen.
    static QWidget* shown(QWidget* pWidget)
    {
        pWidget->show();
        return QTest::qWaitForWindowExposed(pWidget) ? pWidget : nullptr;
    }

private:
    QTemporaryDir m_dir;
    COrreryView m_view;
    CTextPenPlugIn m_plugin;
};
