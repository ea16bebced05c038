// The text pen's two settings surfaces, the context bar and the properties page: the editors they ask
// the host for and in which context, where their widgets go, and when they copy the tool's settings
// into the editors.
#include "contextbarmanager.h"
#include "contextbartextpen.h"
#include "guilayer.h"
#include "namedtool.h"
#include "orrery.h"
#include "propertyeditormanager.h"
#include "textpenplugin.h"
#include "textpenpropertieswidget.h"
#include "toolmanager.h"
#include "tooltextpen.h"

#include <QMainWindow>
#include <QToolBar>
#include <QWidgetAction>
#include <QtTest>
#include <boost/make_shared.hpp>
#include <memory>

namespace {

// An editor that writes down the values it is handed, so the order in which a surface fills its
// editors can be read back.
class CRecordingEditor : public CAbstractPropertyEditor
{
public:
    CRecordingEditor(const QStringList& properties, QStringList* pLog)
        : CAbstractPropertyEditor(properties, QString(), properties.first()), m_pLog(pLog)
    {
    }
    boost::shared_ptr<CAbstractPropertyEditor> clone(CPropertyEditorManager* pManager,
                                                     EEditorContext eContext) override
    {
        auto pCopy = boost::make_shared<CRecordingEditor>(properties(), m_pLog);
        pCopy->initialise(pManager, eContext);
        return pCopy;
    }
    QWidget* widget() override { return m_pWidget.get(); }
    void setValue(const QString& strName, const QVariant& value) override
    {
        m_pLog->append(strName + '=' + value.toString());
    }

protected:
    void derivedInitialise() override { m_pWidget = std::make_unique<QWidget>(); }

private:
    QStringList* m_pLog;
    std::unique_ptr<QWidget> m_pWidget;
};

// Stands in for the host's tool-properties container: the page listens to these two signals.
class CPageContainer : public QWidget
{
    Q_OBJECT

signals:
    void signalToolChanged(const QString& strTool);
    void signalToolPropertyChanged(const QString& strProperty, const QVariant& value);
};

const QString c_strTextPen = QStringLiteral("textpenplugin.handtext");

} // namespace

class tst_TextPenSurfaces : public QObject
{
    Q_OBJECT

private:
    CTextPenPlugIn m_plugin;
    QStringList m_log;
    CToolTextPen* m_pTextPen = nullptr;

    // A host whose editors record what they are given, with or without the text pen registered.
    void startRecordingHost(bool bWithTextPen)
    {
        CGUILayer::resetHost();
        m_log.clear();
        CPropertyEditorManager* pEditors = COrrery::getPropertyEditorManager();
        for (const QStringList& names : {QStringList{"textpen.fontcolor"},
                                         QStringList{"textpen.bold", "textpen.italic", "textpen.underline"},
                                         QStringList{"textpen.fontfamily"}, QStringList{"textpen.linewidth"},
                                         QStringList{"textpen.linestyle"}, QStringList{"textpen.linecolor"},
                                         QStringList{"textpen.fillcolor"}, QStringList{"showcandidates"}})
            pEditors->registerEditor(boost::make_shared<CRecordingEditor>(names, &m_log));
        COrrery::getToolManager()->registerTool(boost::make_shared<CNamedTool>(QStringLiteral("select")));
        m_pTextPen = nullptr;
        if (bWithTextPen)
            registerTextPen();
        COrrery::getToolManager()->activate(QStringLiteral("select"));
    }
    // Set-up registers the text pen; its own editors are refused, since the recording ones were first.
    void registerTextPen()
    {
        m_plugin.setUp();
        m_pTextPen = static_cast<CToolTextPen*>(COrrery::getToolManager()->getToolByName(c_strTextPen));
        // Values other than the defaults, so that a surface showing defaults is caught.
        m_pTextPen->setToolProperty(QStringLiteral("textpen.fontcolor"), QStringLiteral("#ff0000"));
        m_pTextPen->setToolProperty(QStringLiteral("textpen.italic"), true);
        m_pTextPen->setToolProperty(QStringLiteral("textpen.linewidth"), 4);
    }
    // What a surface with editors for these properties must hand its editors, in order.
    QStringList toolValues(const QStringList& properties) const
    {
        QStringList expected;
        for (const QString& strProperty : properties) {
            const QStringList names = strProperty == QLatin1String("textpen.bold")
                                          ? QStringList{"textpen.bold", "textpen.italic", "textpen.underline"}
                                          : QStringList{strProperty};
            for (const QString& strName : names)
                expected.append(strName + '=' + m_pTextPen->getToolProperty(strName).toString());
        }
        return expected;
    }
    static QStringList barProperties()
    {
        return {"textpen.fontfamily", "textpen.fontcolor", "textpen.bold",
                "textpen.linecolor",  "textpen.linestyle", "textpen.linewidth"};
    }
    static QStringList pageProperties()
    {
        return barProperties() << "textpen.fillcolor"
                               << "showcandidates";
    }

private slots:
    void cleanupTestCase() { CGUILayer::shutdownHost(); }

    void theBarAnswersWhetherTheTextPensSelectedStateChanged_data()
    {
        QTest::addColumn<QStringList>("calls");
        QTest::addColumn<QString>("answers");
        QTest::addColumn<bool>("selectedAfter");
        QTest::newRow("selected") << QStringList{"textpenplugin.handtext=1"} << "1" << true;
        QTest::newRow("selected twice")
            << QStringList{"textpenplugin.handtext=1", "textpenplugin.handtext=1"} << "10" << true;
        QTest::newRow("selected, then not")
            << QStringList{"textpenplugin.handtext=1", "textpenplugin.handtext=0"} << "11" << false;
        QTest::newRow("not selected from the start")
            << QStringList{"textpenplugin.handtext=0"} << "0" << false;
        QTest::newRow("other tools leave the flag alone")
            << QStringList{"pen=1", "textpenplugin.handtext=1", "select=0", "textpenplugin=1"} << "0100"
            << true;
    }
    void theBarAnswersWhetherTheTextPensSelectedStateChanged()
    {
        QFETCH(QStringList, calls);
        QFETCH(QString, answers);
        QFETCH(bool, selectedAfter);
        startRecordingHost(true);
        CContextbarTextPen bar;
        QString strAnswers;
        for (const QString& strCall : calls)
            strAnswers +=
                bar.toolSelectionStateChanged(strCall.section('=', 0, 0), strCall.endsWith("=1")) ? '1' : '0';
        QCOMPARE(strAnswers, answers);
        QCOMPARE(bar.isToolSelected(), selectedAfter);
    }

    // The real editors of the plug-in, as the host makes them for the bar.
    void theBarShowsThreeOfItsSixEditorsAtTheBottom()
    {
        CGUILayer::resetHost();
        CTextPenPlugIn plugin;
        plugin.setUp();
        QMainWindow window;
        auto* pBar = qobject_cast<CContextbarTextPen*>(COrrery::getContextbarManager()->getContextbar(
            QStringLiteral("textpenplugin.handtext.contextbar")));
        QVERIFY(pBar);
        pBar->initialize(&window);
        // The bar belongs to the host's manager, not to the window it sits in.
        const auto keepBar = qScopeGuard([pBar] { pBar->setParent(nullptr); });
        QCOMPARE(pBar->parentWidget(), &window);
        QCOMPARE(pBar->getDisplayName(), QStringLiteral("Text Pen Functions"));
        QCOMPARE(pBar->allowedAreas(), Qt::BottomToolBarArea);
        QVERIFY(!pBar->isFloatable() && !pBar->isMovable());

        QStringList properties;
        for (const auto& pEditor : pBar->editors()) {
            properties.append(pEditor->properties().first());
            QCOMPARE(int(pEditor->context()), 5);
        }
        QCOMPARE(properties, barProperties());
        QList<QWidget*> shown;
        for (QAction* pAction : pBar->actions())
            shown.append(pBar->widgetForAction(pAction));
        QCOMPARE(shown, (QList<QWidget*>{pBar->editors().at(0)->widget(), pBar->editors().at(1)->widget(),
                                         pBar->editors().at(2)->widget()}));
        for (int i = 3; i < 6; ++i) {
            QWidget* pHidden = pBar->editors().at(i)->widget();
            QVERIFY(pHidden);
            QCOMPARE(pHidden->parentWidget(), nullptr);
        }
        window.addToolBar(Qt::BottomToolBarArea, pBar);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(pBar->isVisible());
        for (int i = 0; i < 6; ++i)
            QCOMPARE(pBar->editors().at(i)->widget()->isVisible(), i < 3);
        // Left to right in the order of the list.
        QVERIFY(shown.at(0)->x() < shown.at(1)->x());
        QVERIFY(shown.at(1)->x() < shown.at(2)->x());
    }

    void aNewPageHoldsEightEditorsInTheirColumn()
    {
        CGUILayer::resetHost();
        CTextPenPlugIn plugin;
        plugin.setUp();
        CPageContainer container;
        auto* pPage = qobject_cast<CTextPenPropertiesWidget*>(CTextPenPropertiesWidget::create(&container));
        QVERIFY(pPage);
        QCOMPARE(pPage->parentWidget(), &container);
        QStringList properties;
        for (const auto& pEditor : pPage->editors()) {
            properties.append(pEditor->properties().first());
            QCOMPARE(int(pEditor->context()), 1);
        }
        QCOMPARE(properties, pageProperties());

        // One column, top to bottom in the order of the list.
        pPage->adjustSize();
        container.show();
        QVERIFY(QTest::qWaitForWindowExposed(&container));
        for (int i = 1; i < 8; ++i)
            QVERIFY(pPage->editors().at(i - 1)->widget()->y() < pPage->editors().at(i)->widget()->y());
        // The page's widgets are its own and go with it.
        QPointer<QWidget> pFontFamily = pPage->editors().at(0)->widget();
        delete pPage;
        QVERIFY(pFontFamily.isNull());
        plugin.tearDown();
    }

    // Each surface copies every setting of every editor in list order, and only while the text pen is
    // the active tool, whichever way it hears of the change.
    void theSurfacesCopyTheToolsSettingsOnlyWhileTheTextPenIsActive_data()
    {
        QTest::addColumn<QString>("surface");
        QTest::addColumn<QString>("trigger");
        QTest::addColumn<bool>("textPenActive");
        for (const char* szSurface : {"bar", "page"}) {
            QStringList triggers{"pen activated", "tool activation"};
            triggers << (qstrcmp(szSurface, "bar") == 0 ? "selection state" : "container tool change");
            for (const QString& strTrigger : triggers)
                for (bool bActive : {true, false})
                    if (bActive || strTrigger != QLatin1String("tool activation"))
                        QTest::addRow("%s, %s, text pen %s", szSurface, qPrintable(strTrigger),
                                      bActive ? "active" : "not active")
                            << szSurface << strTrigger << bActive;
        }
    }
    void theSurfacesCopyTheToolsSettingsOnlyWhileTheTextPenIsActive()
    {
        QFETCH(QString, surface);
        QFETCH(QString, trigger);
        QFETCH(bool, textPenActive);
        startRecordingHost(true);
        CPageContainer container;
        std::unique_ptr<CContextbarTextPen> pBar;
        if (surface == QLatin1String("bar")) {
            pBar = std::make_unique<CContextbarTextPen>();
            pBar->initialize(&container);
        } else {
            CTextPenPropertiesWidget::create(&container);
        }
        QCOMPARE(m_log, QStringList());
        CToolManager* pTools = COrrery::getToolManager();

        if (trigger == QLatin1String("tool activation")) {
            // The text pen announces its own activation.
            pTools->activate(c_strTextPen);
        } else {
            if (textPenActive) {
                pTools->activate(c_strTextPen);
                m_log.clear();
            }
            if (trigger == QLatin1String("pen activated"))
                emit m_pTextPen->siganlTextPenActivated();
            else if (trigger == QLatin1String("selection state"))
                pBar->toolSelectionStateChanged(QStringLiteral("select"), false);
            else
                emit container.signalToolChanged(c_strTextPen);
        }
        QCOMPARE(m_log, textPenActive
                            ? toolValues(surface == QLatin1String("bar") ? barProperties() : pageProperties())
                            : QStringList());
    }

    void aSingleSettingAnnouncedByTheContainerLeavesThePageAlone()
    {
        startRecordingHost(true);
        COrrery::getToolManager()->activate(c_strTextPen);
        CPageContainer container;
        CTextPenPropertiesWidget::create(&container);
        m_log.clear();
        m_pTextPen->setToolProperty(QStringLiteral("textpen.bold"), true);
        emit container.signalToolPropertyChanged(QStringLiteral("textpen.bold"), true);
        QCOMPARE(m_log, QStringList());
    }

    // A text pen registered after the surface was built is not heard from directly; the host's own
    // announcements still bring the surface up to date.
    void aTextPenRegisteredLaterIsFollowedOnlyThroughTheHost_data()
    {
        QTest::addColumn<QString>("surface");
        QTest::newRow("bar") << "bar";
        QTest::newRow("page") << "page";
    }
    void aTextPenRegisteredLaterIsFollowedOnlyThroughTheHost()
    {
        QFETCH(QString, surface);
        startRecordingHost(false);
        CPageContainer container;
        CContextbarTextPen bar;
        if (surface == QLatin1String("bar"))
            bar.initialize(&container);
        else
            CTextPenPropertiesWidget::create(&container);
        registerTextPen();
        COrrery::getToolManager()->activate(c_strTextPen);
        QCOMPARE(m_log, QStringList());

        if (surface == QLatin1String("bar"))
            QVERIFY(bar.toolSelectionStateChanged(c_strTextPen, true));
        else
            emit container.signalToolChanged(c_strTextPen);
        QCOMPARE(m_log, toolValues(surface == QLatin1String("bar") ? barProperties() : pageProperties()));
    }
};

QTEST_MAIN(tst_TextPenSurfaces)
#include "tst_textpensurfaces.moc"
