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

    // A host whose editors record what they are given, with the text pen registered by set-up; its own
    // editors are refused, since the recording ones were first.
    void startRecordingHost()
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
        m_plugin.setUp();
        m_pTextPen = static_cast<CToolTextPen*>(COrrery::getToolManager()->getToolByName(c_strTextPen));
        // Values other than the defaults, so that a surface showing defaults is caught.
        m_pTextPen->setToolProperty(QStringLiteral("textpen.fontcolor"), QStringLiteral("#ff0000"));
        m_pTextPen->setToolProperty(QStringLiteral("textpen.italic"), true);
        m_pTextPen->setToolProperty(QStringLiteral("textpen.linewidth"), 4);
        COrrery::getToolManager()->activate(QStringLiteral("select"));
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

    // The real editors of the plug-in, as the host makes them for the bar.
    void theBarShowsThreeOfItsSixEditors()
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
    }

    void aNewPageHoldsEightEditors()
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
        startRecordingHost();
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
};

QTEST_MAIN(tst_TextPenSurfaces)
#include "tst_textpensurfaces.moc"
