// A fresh host for the text pen's property editors: user settings in a temporary file, a board view,
// the text pen registered and active. Also what a user does to the editors' controls.
#pragma once

#include "controllayer.h"
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

class CEditorTestHost
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
    // The changes the editors sent, as the host recorded them.
    static QStringList applied()
    {
        return CHostJournal::entries(QStringLiteral("CAbstractPropertyEditor::apply"));
    }
    static QStringList applied(const QString& strAssignment)
    {
        return {QStringLiteral("CAbstractPropertyEditor::applyPropertyValue ") + strAssignment + " (0, 0)"};
    }

    template <class TEditor, class... TArgs>
    static boost::shared_ptr<CAbstractPropertyEditor> clone(int iContext, const TArgs&... args)
    {
        TEditor prototype(args..., QStringLiteral("CPropertyEditorManager"), QStringLiteral("Label"));
        return prototype.clone(COrrery::getPropertyEditorManager(),
                               CAbstractPropertyEditor::EEditorContext(iContext));
    }

private:
    QTemporaryDir m_dir;
    CTextPenPlugIn m_plugin;
    std::unique_ptr<COrreryView> m_pView;
};

// Shows the widget and picks the entry from the box's list with the keyboard, as a user would.
inline void pickFromList(QWidget* pWidget, QComboBox* pBox, int iIndex)
{
    pWidget->show();
    QVERIFY(QTest::qWaitForWindowExposed(pWidget));
    pBox->showPopup();
    pBox->view()->setCurrentIndex(pBox->view()->model()->index(iIndex, pBox->modelColumn()));
    QTest::keyClick(pBox->view(), Qt::Key_Return);
}
