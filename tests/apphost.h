// The app's window in a fresh host with a scripted recognizer in use, and the text pen's library loaded
// by the app's loader and set up once the window is there, as the app does it. Writing is handed on by
// the test, never by the pause timer.
#pragma once

#include "boardhost.h"
#include "hosttools.h"
#include "iplugin.h"
#include "mainwindow.h"
#include "pentool.h"
#include "pluginloader.h"
#include "tool.h"
#include "toolmanager.h"
#include "userinput.h"

#include <QMenu>
#include <QtTest>

class CAppHost : public CBoardHost
{
public:
    // The loader outlives the host, so that nothing the host holds outlives the library's code.
    explicit CAppHost(CPluginLoader& loader) : m_loader(loader) {}

    // The host's own tools are registered before the plug-in's, as in the app.
    void start(const QList<boost::shared_ptr<CTool>>& hostTools = {}, bool bKeepSettings = false)
    {
        CBoardHost::start(SHostOptions(), false, bKeepSettings);
        COrrery::getUserSettings()->setValue(QStringLiteral("pen/writingpause"), 60000);
        m_pRecognizer = useScriptedRecognizer();
        for (const boost::shared_ptr<CTool>& pTool : hostTools)
            QVERIFY(COrrery::getToolManager()->registerTool(pTool));
        m_pWindow = std::make_unique<CMainWindow>();
        // Loaded once for all hosts the loader serves.
        const std::vector<IPlugin*> loaded = m_loader.plugins();
        m_pPlugin =
            !loaded.empty()
                ? loaded.front()
                : m_loader.load(CPluginLoader::findLibraries(QStringLiteral(TEXTPEN_PLUGIN_DIR)).value(0));
        QVERIFY2(m_pPlugin && m_pPlugin->setUp(), qPrintable(m_loader.errorString()));
        CHostTools::loadProfile();
        m_pWindow->refreshTools();
        m_pWindow->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_pWindow.get()));
    }
    void tearDownPlugin()
    {
        if (m_pPlugin)
            m_pPlugin->tearDown();
        m_pPlugin = nullptr;
    }
    void stop()
    {
        tearDownPlugin();
        m_pWindow.reset();
        CBoardHost::stop();
    }

    // A zig-zag word written with the mouse inside rect of the board's viewport, or a tap at its centre,
    // handed on at once rather than after the writing pause; false when the pen holds no ink shown.
    bool penInput(const QRect& rect, bool bTap = false)
    {
        QWidget* pViewport = m_pWindow->board()->viewport();
        if (bTap) {
            QTest::mousePress(pViewport, Qt::LeftButton, Qt::NoModifier, rect.center());
            QTest::mouseRelease(pViewport, Qt::LeftButton, Qt::NoModifier, rect.center());
        } else {
            drawZigZagWord(pViewport, rect);
        }
        auto* pPen = dynamic_cast<CPenTool*>(COrrery::getToolManager()->getActiveTool());
        if (!pPen || !pPen->currentScribble() || inkShown(m_pWindow->board()) == 0)
            return false;
        pPen->finishWriting();
        return true;
    }

    std::unique_ptr<CMainWindow>& window() { return m_pWindow; }
    IPlugin* plugin() const { return m_pPlugin; }
    CScriptedRecognizer* recognizer() const { return m_pRecognizer; }
    // The text pen's entry in the Tools menu; null when there is none.
    QAction* textPenEntry() const
    {
        for (QAction* pAction : m_pWindow->toolsMenu()->actions())
            if (pAction->text() == QStringLiteral("Text-Pen"))
                return pAction;
        return nullptr;
    }

private:
    CPluginLoader& m_loader;
    std::unique_ptr<CMainWindow> m_pWindow;
    IPlugin* m_pPlugin = nullptr;
    CScriptedRecognizer* m_pRecognizer = nullptr;
};
