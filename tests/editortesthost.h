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

    template <class TEditor>
    static boost::shared_ptr<TEditor> clone(TEditor& prototype, int iContext)
    {
        return boost::dynamic_pointer_cast<TEditor>(prototype.clone(
            COrrery::getPropertyEditorManager(), CAbstractPropertyEditor::EEditorContext(iContext)));
    }

private:
    QTemporaryDir m_dir;
    CTextPenPlugIn m_plugin;
    std::unique_ptr<COrreryView> m_pView;
};

inline void showOnScreen(QWidget* pWidget)
{
    pWidget->show();
    QVERIFY(QTest::qWaitForWindowExposed(pWidget));
}

// Opens the list, moves the highlight to the entry and presses Return, as a keyboard user would.
inline void pickFromList(QComboBox* pBox, int iIndex)
{
    pBox->showPopup();
    QAbstractItemView* pView = pBox->view();
    pView->setCurrentIndex(pView->model()->index(iIndex, pBox->modelColumn()));
    QTest::keyClick(pView, Qt::Key_Return);
}
