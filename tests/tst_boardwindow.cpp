// The whiteboard window with the plug-in loaded as the app loads it: the context bar along the bottom
// edge, the tool-properties area, the interface language, the board saved as a picture, and pen input.
#include "contextbarinterface.h"
#include "contextbarmanager.h"
#include "guilayer.h"
#include "iplugin.h"
#include "mainwindow.h"
#include "normalpentool.h"
#include "pluginloader.h"
#include "selecttool.h"
#include "texttool.h"
#include "toolmanager.h"

#include <QPointer>
#include <QTemporaryDir>
#include <QtTest>
#include <boost/make_shared.hpp>

namespace {

const QString c_strTextPen = QStringLiteral("textpenplugin.handtext");
const QString c_strTextPenBar = QStringLiteral("textpenplugin.handtext.contextbar");

// A bar of the host's own that wants to be seen while the ordinary pen is selected.
class CPenBar : public CContextbarInterface
{
public:
    void initialize(QWidget* pParent) override { setParent(pParent); }
    QString getName() override { return QStringLiteral("pen.bar"); }
    QString getDisplayName() override { return getName(); }
    bool toolSelectionStateChanged(const QString& strTool, bool bSelected) override
    {
        if (strTool != QLatin1String("pen") || bSelected == isToolSelected())
            return false;
        setToolSelected(bSelected);
        return true;
    }
};

} // namespace

class tst_BoardWindow : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    CPluginLoader m_loader;
    std::unique_ptr<CMainWindow> m_pWindow;
    IPlugin* m_pPlugin = nullptr;

    static CToolManager* tools() { return COrrery::getToolManager(); }
    static CContextbarManager* bars() { return COrrery::getContextbarManager(); }
    CContextbarInterface* textPenBar() const { return bars()->getContextbar(c_strTextPenBar); }

    // Whether the bar is on screen along the window's bottom edge.
    bool dockedAtBottom(QToolBar* pBar) const
    {
        return pBar->isVisible() && pBar->parentWidget() == m_pWindow.get() &&
               m_pWindow->toolBarArea(pBar) == Qt::BottomToolBarArea;
    }

    void tearDownPlugin()
    {
        if (m_pPlugin)
            m_pPlugin->tearDown();
        m_pPlugin = nullptr;
    }

private slots:
    void init()
    {
        SHostOptions options;
        options.strSettingsFile = m_dir.filePath(QStringLiteral("settings.ini"));
        QFile::remove(options.strSettingsFile);
        CGUILayer::resetHost(options);
        QVERIFY(tools()->registerTool(boost::make_shared<CSelectTool>()));
        QVERIFY(tools()->registerTool(boost::make_shared<CNormalPenTool>()));
        QVERIFY(tools()->registerTool(boost::make_shared<CTextTool>()));
        m_pWindow = std::make_unique<CMainWindow>();
        // As in the app: the plug-in is set up once the window is there.
        m_pPlugin = m_loader.load(CPluginLoader::findLibraries(QStringLiteral(TEXTPEN_PLUGIN_DIR)).value(0));
        QVERIFY2(m_pPlugin && m_pPlugin->setUp(), qPrintable(m_loader.errorString()));
        m_pWindow->refreshTools();
        m_pWindow->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_pWindow.get()));
    }

    void cleanup()
    {
        tearDownPlugin();
        m_pWindow.reset();
        CGUILayer::shutdownHost();
        m_loader.unloadAll();
    }

    void theTextPenBarShowsOnlyWhileTheTextPenIsSelected_data()
    {
        QTest::addColumn<QString>("strOther");
        QTest::newRow("select") << QStringLiteral("select");
        QTest::newRow("pen") << QStringLiteral("pen");
        QTest::newRow("text") << QStringLiteral("text");
    }
    void theTextPenBarShowsOnlyWhileTheTextPenIsSelected()
    {
        QFETCH(QString, strOther);
        CContextbarInterface* pBar = textPenBar();
        QVERIFY(pBar);
        QVERIFY(tools()->activate(strOther));
        QVERIFY(!pBar->isVisible());
        QVERIFY(tools()->activate(c_strTextPen));
        QVERIFY(dockedAtBottom(pBar));
        QVERIFY(pBar->isToolSelected());
        // Picking the text pen again leaves the bar where it is.
        QVERIFY(tools()->activate(c_strTextPen));
        QVERIFY(dockedAtBottom(pBar));
        QVERIFY(tools()->activate(strOther));
        QVERIFY(!pBar->isVisible());
        QVERIFY(!pBar->isToolSelected());
    }

    // The bars belong to whoever registered them: neither withdrawal nor the window's end deletes one.
    void aBarOutlivesItsPlaceInTheWindow_data()
    {
        QTest::addColumn<bool>("bWithdrawnFirst");
        QTest::newRow("withdrawn, then the window closes") << true;
        QTest::newRow("the window closes, then withdrawn") << false;
    }
    void aBarOutlivesItsPlaceInTheWindow()
    {
        QFETCH(bool, bWithdrawnFirst);
        auto pBar = boost::make_shared<CPenBar>();
        QVERIFY(bars()->registerContextbar(pBar, true));
        QVERIFY(tools()->activate(QStringLiteral("pen")));
        QVERIFY(dockedAtBottom(pBar.get()));
        QVERIFY(!textPenBar()->isVisible());

        QPointer<CContextbarInterface> pWatch(pBar.get());
        if (bWithdrawnFirst) {
            QVERIFY(bars()->unregisterContextbar(pBar->getName(), true));
            QVERIFY(pBar->isHidden());
            QVERIFY(!pBar->parentWidget());
            QVERIFY(!m_pWindow->findChildren<CContextbarInterface*>().contains(pBar.get()));
        }
        tearDownPlugin();
        m_pWindow.reset();
        QVERIFY(pWatch);
        QVERIFY(!pBar->parentWidget());
        QCOMPARE(bars()->unregisterContextbar(pBar->getName(), true), !bWithdrawnFirst);
        QVERIFY(pBar->isHidden());
    }

    // The plug-in withdraws its bar at tear-down: it leaves the window, and goes with its last owner.
    void theTextPenBarLeavesTheWindowAtTearDown()
    {
        QVERIFY(tools()->activate(c_strTextPen));
        QPointer<CContextbarInterface> pBar(textPenBar());
        QVERIFY(pBar && dockedAtBottom(pBar));
        tearDownPlugin();
        QVERIFY(!pBar);
        QVERIFY(m_pWindow->findChildren<CContextbarInterface*>().isEmpty());
    }
};

QTEST_MAIN(tst_BoardWindow)
#include "tst_boardwindow.moc"
