// A fresh host with its user settings in a temporary file and a board view showing the current page.
// Messages for the user are noted rather than shown.
#pragma once

#include "actionutilities.h"
#include "guilayer.h"
#include "orreryview.h"
#include "recognizermanager.h"
#include "scriptedrecognizer.h"
#include "workspace.h"

#include <QGraphicsPathItem>
#include <QTemporaryDir>
#include <boost/make_shared.hpp>
#include <memory>

class CBoardHost
{
public:
    // Without a view where a window brings its own board.
    void start(SHostOptions options = SHostOptions(), bool bView = true, bool bKeepSettings = false)
    {
        options.strSettingsFile = settingsFile();
        if (!bKeepSettings)
            QFile::remove(options.strSettingsFile);
        CGUILayer::resetHost(options);
        m_messages.clear();
        m_pfnShownMessages = CActionUtilities::setMessageHandler(
            [this](CActionUtilities::EMessageBoxType, const QString& strText, QMessageBox::StandardButtons) {
                m_messages.append(strText);
                return QMessageBox::Ok;
            });
        if (!bView)
            return;
        m_pView = std::make_unique<COrreryView>();
        m_pView->resize(800, 600);
        COrrery::setView(m_pView.get());
        m_pView->showTopic(page());
    }
    void stop()
    {
        if (m_pView)
            COrrery::setView(nullptr);
        m_pView.reset();
        CGUILayer::shutdownHost();
        CActionUtilities::setMessageHandler(m_pfnShownMessages);
    }
    // A recognizer that answers what the test scripts, registered and in use; null if refused.
    static CScriptedRecognizer* useScriptedRecognizer()
    {
        const auto pRecognizer = boost::make_shared<CScriptedRecognizer>();
        if (!COrrery::getRecognizerManager()->registerRecognizer(pRecognizer))
            return nullptr;
        COrrery::getRecognizerManager()->setActiveRecognizer(pRecognizer->getName());
        return pRecognizer.get();
    }
    static CTopic* page() { return COrrery::getWorkspace()->getCurrentTopic(); }
    // The strokes being written that show on the board: path items that are no components.
    static int inkShown(const QGraphicsView* pView)
    {
        int iCount = 0;
        for (QGraphicsItem* pItem : pView->scene()->items())
            iCount += pItem->type() == QGraphicsPathItem::Type && !COrreryView::componentOf(pItem) ? 1 : 0;
        return iCount;
    }
    // What the host was asked to tell the user, in order.
    const QStringList& messages() const { return m_messages; }
    QString settingsFile() const { return m_dir.filePath(QStringLiteral("settings.ini")); }
    COrreryView* view() const { return m_pView.get(); }

private:
    QTemporaryDir m_dir;
    std::unique_ptr<COrreryView> m_pView;
    QStringList m_messages;
    CActionUtilities::FMessageHandler m_pfnShownMessages;
};
