// The whiteboard with the plug-in loaded as the app loads it: the "Text-Pen" entry sits in the Tools
// menu right after the laser pen, with the pen's icon, offered only while a recognizer is active.
#include "guilayer.h"
#include "iplugin.h"
#include "mainwindow.h"
#include "pluginloader.h"
#include "recognizermanager.h"
#include "scriptedrecognizer.h"
#include "selecttool.h"
#include "tool.h"
#include "toolmanager.h"
#include "toolpropertiescontainer.h"
#include "toolpropertiesdock.h"

#include <QAbstractButton>
#include <QMenu>
#include <QTemporaryDir>
#include <QtTest>
#include <boost/make_shared.hpp>

class tst_TextPenMenu : public QObject
{
    Q_OBJECT

private slots:
    void theEntrySitsBesideTheLaserPen()
    {
        QTemporaryDir dir;
        SHostOptions options;
        options.strSettingsFile = dir.filePath(QStringLiteral("settings.ini"));
        CGUILayer::resetHost(options);
        CPluginLoader loader;
        auto pWindow = std::make_unique<CMainWindow>();
        const QStringList libraries = CPluginLoader::findLibraries(QStringLiteral(TEXTPEN_PLUGIN_DIR));
        IPlugin* pPlugin = libraries.size() == 1 ? loader.load(libraries.first()) : nullptr;
        QVERIFY2(pPlugin && pPlugin->setUp(), qPrintable(loader.errorString()));

        const QList<QAction*> entries = pWindow->toolsMenu()->actions();
        QCOMPARE(entries.size(), 2);
        QCOMPARE(entries.at(0)->objectName(), QStringLiteral("tool.laserpen"));
        QAction* pEntry = entries.at(1);
        QCOMPARE(pEntry->text(), QStringLiteral("Text-Pen"));
        QCOMPARE(pEntry->icon().pixmap(32, 32).toImage(),
                 QImage(QStringLiteral(":/textpenplugin.text_pen.png"))
                     .convertToFormat(QImage::Format_ARGB32_Premultiplied));
        // Greyed out, not hidden, while nothing can read the writing.
        QVERIFY(pEntry->isVisible() && !pEntry->isEnabled());
        CRecognizerManager* pRecognizers = COrrery::getRecognizerManager();
        QVERIFY(pRecognizers->registerRecognizer(boost::make_shared<CScriptedRecognizer>()));
        pRecognizers->setActiveRecognizer(QStringLiteral("scripted"));
        QVERIFY(pEntry->isVisible() && pEntry->isEnabled());

        pPlugin->tearDown();
        QCOMPARE(pWindow->toolsMenu()->actions().size(), 1);
        pWindow.reset();
        CGUILayer::shutdownHost();
        loader.unloadAll();
    }

    // Picking the text pen from its menu entry fills the tool-properties area with its editors, and a
    // click there changes the pen's setting.
    void theToolPropertiesChangeTheTextPen()
    {
        QTemporaryDir dir;
        SHostOptions options;
        options.strSettingsFile = dir.filePath(QStringLiteral("settings.ini"));
        CGUILayer::resetHost(options);
        CPluginLoader loader;
        auto pWindow = std::make_unique<CMainWindow>();
        IPlugin* pPlugin =
            loader.load(CPluginLoader::findLibraries(QStringLiteral(TEXTPEN_PLUGIN_DIR)).value(0));
        QVERIFY2(pPlugin && pPlugin->setUp(), qPrintable(loader.errorString()));
        CRecognizerManager* pRecognizers = COrrery::getRecognizerManager();
        QVERIFY(pRecognizers->registerRecognizer(boost::make_shared<CScriptedRecognizer>()));
        pRecognizers->setActiveRecognizer(QStringLiteral("scripted"));

        pWindow->toolsMenu()->actions().value(1)->trigger();
        const CTool* pPen = COrrery::getToolManager()->getActiveTool();
        QVERIFY(pPen && pPen->getName() == QStringLiteral("textpenplugin.handtext"));
        // The pen's own page stands for its settings, not the generic one.
        const CToolPropertiesContainer* pContainer = pWindow->toolProperties()->container();
        QVERIFY(pContainer->page());
        QCOMPARE(pContainer->page()->metaObject()->className(), "CTextPenPropertiesWidget");
        QVERIFY(pContainer->editors().empty());
        QAbstractButton* pBold = nullptr;
        for (QAbstractButton* pButton : pContainer->page()->findChildren<QAbstractButton*>())
            if (pButton->text() == QStringLiteral("B"))
                pBold = pButton;
        QVERIFY(pBold);
        QCOMPARE(pPen->getToolProperty(QStringLiteral("textpen.bold")).toBool(), false);
        pWindow->show();
        QTest::mouseClick(pBold, Qt::LeftButton);
        QCOMPARE(pPen->getToolProperty(QStringLiteral("textpen.bold")).toBool(), true);

        // Another tool without editors empties the area.
        QVERIFY(COrrery::getToolManager()->registerTool(boost::make_shared<CSelectTool>()));
        COrrery::getToolManager()->activate(QStringLiteral("select"));
        QVERIFY(!pContainer->page());
        pPlugin->tearDown();
        pWindow.reset();
        CGUILayer::shutdownHost();
        loader.unloadAll();
    }
};

QTEST_MAIN(tst_TextPenMenu)
#include "tst_textpenmenu.moc"
