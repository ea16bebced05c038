// A fresh host for the text pen's property editors: user settings in a temporary file, a board view
// showing the current page, the text pen set up and active. Editors are made by the host's manager from
// the prototypes set-up registered, as every surface gets them. Also what a user does to the controls.
#pragma once

#include "guilayer.h"
#include "hostjournal.h"
#include "orreryview.h"
#include "propertyeditormanager.h"
#include "textpenplugin.h"
#include "tool.h"
#include "toolmanager.h"
#include "workspace.h"

#include <QAbstractItemView>
#include <QComboBox>
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
        QVERIFY(m_plugin.setUp());
        QVERIFY(COrrery::getToolManager()->activate(QStringLiteral("textpenplugin.handtext")));
        CHostJournal::clear();
    }
    void stop()
    {
        m_pView.reset();
        CGUILayer::shutdownHost();
    }

    static CTool* tool() { return COrrery::getToolManager()->getActiveTool(); }
    static void set(const QString& strName, const QVariant& value)
    {
        tool()->setToolProperty(strName, value);
    }
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
    // The single change an editor sends for a pick in the tool's own context.
    static QStringList applied(const QString& strAssignment, const QString& strPolicies = "(0, 0)")
    {
        return {"CAbstractPropertyEditor::applyPropertyValue " + strAssignment + " " + strPolicies};
    }
    // Shown, so that the widget takes clicks as on screen.
    static QWidget* shown(QWidget* pWidget)
    {
        pWidget->show();
        return QTest::qWaitForWindowExposed(pWidget) ? pWidget : nullptr;
    }

private:
    QTemporaryDir m_dir;
    CTextPenPlugIn m_plugin;
    std::unique_ptr<COrreryView> m_pView;
};

// Shows the widget and picks the entry from the box's list with the keyboard, as a user would.
inline void pickFromList(QWidget* pWidget, QComboBox* pBox, int iIndex)
{
    QVERIFY(CEditorHost::shown(pWidget));
    pBox->showPopup();
    pBox->view()->setCurrentIndex(pBox->view()->model()->index(iIndex, pBox->modelColumn()));
    QTest::keyClick(pBox->view(), Qt::Key_Return);
}
