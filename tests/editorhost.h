// A fresh host with the text pen set up and active, for the tests of its property editors: editors
// are made by the host's manager from the prototypes set-up registered, as every surface gets them.
#pragma once

#include "abstractpropertyeditor.h"
#include "guilayer.h"
#include "hostjournal.h"
#include "orreryview.h"
#include "propertyeditormanager.h"
#include "textpenplugin.h"
#include "tool.h"
#include "toolmanager.h"
#include "workspace.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

class CEditorHost
{
public:
    void start()
    {
        SHostOptions options;
        options.strSettingsFile = m_dir.filePath(QStringLiteral("settings.ini"));
        QFile::remove(options.strSettingsFile);
        CGUILayer::resetHost(options);
        m_pView = std::make_unique<COrreryView>();
        COrrery::setView(m_pView.get());
        m_pView->showTopic(COrrery::getWorkspace()->getCurrentTopic());
        m_plugin.setUp();
        COrrery::getToolManager()->activate(QStringLiteral("textpenplugin.handtext"));
        CHostJournal::clear();
    }
    void stop()
    {
        m_pView.reset();
        CGUILayer::shutdownHost();
    }

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

    // The widget of a fresh editor, shown so that it takes clicks as on screen.
    static void show(QWidget* pWidget)
    {
        pWidget->show();
        QVERIFY(QTest::qWaitForWindowExposed(pWidget));
    }

private:
    QTemporaryDir m_dir;
    std::unique_ptr<COrreryView> m_pView;
    CTextPenPlugIn m_plugin;
};
