// The host's services as tools and plug-ins rely on them: registration by name with real refusals,
// activation order, property changes through a tool's own rules and saved settings, the host's text
// tool, menu entries that follow what their actions answer (the text pen's among them), and what every
// property editor gets from the editor base: the value shown, read from the active tool or from the
// selection, whether it may be used, and the user's changes going back to the tool (saved) and to the
// selected components (undoable).
#include "abstractpropertyeditor.h"
#include "actionmanager.h"
#include "boardhost.h"
#include "component.h"
#include "contextbarinterface.h"
#include "contextbarmanager.h"
#include "controllayer.h"
#include "hostjournal.h"
#include "namedtool.h"
#include "propertyeditormanager.h"
#include "selectionmanager.h"
#include "textpenplugin.h"
#include "textpentoolaction.h"
#include "texttool.h"
#include "toolaction.h"
#include "toolmanager.h"
#include "toolpropertiesperspectivemanager.h"
#include "topic.h"

#include <QGraphicsTextItem>
#include <QLabel>
#include <QSettings>
#include <QUndoStack>
#include <QtTest>
#include <boost/make_shared.hpp>
#include <cmath>

namespace {

// An action whose answers the test sets before the host asks again.
class CAnsweringAction : public CAction
{
public:
    CAnsweringAction() : CAction(QStringLiteral("tool.answering"), QIcon()) {}
    bool isAvailable() override { return m_bAvailable; }
    bool isEnabledImpl() override { return m_bEnabled; }
    QString getLabelText() override { return QStringLiteral("Answering"); }
    bool m_bAvailable = true;
    bool m_bEnabled = true;
};

class CNamedBar : public CContextbarInterface
{
public:
    explicit CNamedBar(const QString& strName) : m_strName(strName) {}
    void initialize(QWidget*) override {}
    QString getName() override { return m_strName; }
    QString getDisplayName() override { return m_strName; }
    bool toolSelectionStateChanged(const QString&, bool) override { return false; }

private:
    QString m_strName;
};

// An editor that shows its value as text.
class CLabelEditor : public CAbstractPropertyEditor
{
public:
    using CAbstractPropertyEditor::CAbstractPropertyEditor;
    ~CLabelEditor() override { delete m_pWidget; }
    boost::shared_ptr<CAbstractPropertyEditor> clone(CPropertyEditorManager* pManager,
                                                     EEditorContext eContext) override
    {
        auto pClone =
            boost::make_shared<CLabelEditor>(properties(), translationContext(), untranslatedPropertyName());
        pClone->initialise(pManager, eContext);
        return pClone;
    }
    QWidget* widget() override { return m_pWidget; }
    void setValue(const QString&, const QVariant& value) override { m_pWidget->setText(value.toString()); }

protected:
    void derivedInitialise() override { m_pWidget = new QLabel(); }

private:
    QLabel* m_pWidget = nullptr;
};

// A tool that writes its activations into a shared log and keeps its "width" within 1..10.
struct CLoggingTool : CTool
{
    CLoggingTool(const QString& strName, QStringList* pLog) : m_strName(strName), m_pLog(pLog) {}
    QString getName() const override { return m_strName; }
    QString setToolProperty(const QString& strName, const QVariant& value) override
    {
        return CTool::setToolProperty(strName, strName == "width" ? qBound(1, value.toInt(), 10) : value);
    }
    void activate(bool bFlag) override
    {
        m_pLog->append("activate " + m_strName);
        CTool::activate(bFlag);
    }
    void deactivate(bool bFlag) override
    {
        m_pLog->append("deactivate " + m_strName);
        CTool::deactivate(bFlag);
    }
    QString m_strName;
    QStringList* m_pLog;
};

// A tool that keeps its outline width and style in the user settings.
class CSavingTool : public CTool
{
public:
    QString getName() const override { return QStringLiteral("marker"); }
    QList<QString> getPersistentProperties() const override { return {"linewidth", "linestyle"}; }
};

QWidget* makePanel(QWidget* pParent)
{
    return new QLabel(QStringLiteral("panel"), pParent);
}

boost::shared_ptr<CAction> action(const QString& strName)
{
    return boost::make_shared<CAction>(strName, QIcon());
}

enum EHostChange
{
    eToolActivated,
    eRecognizerChosen,
    ePageChanged,
    eLiveDesktopToggled
};

typedef boost::shared_ptr<CComponent> TComponent;

} // namespace

// The host holds the tools "pen", "eraser" and the active "marker" (line width 7), a scripted
// recognizer not in use, and three text boxes with line widths 2, 2 and 4.
class tst_HostServices : public QObject
{
    Q_OBJECT

    CBoardHost m_host;
    QStringList m_log;
    QList<TComponent> m_boxes;

    static CToolManager& tools() { return *COrrery::getToolManager(); }
    static QUndoStack* undoStack() { return CControlLayer::get()->undoStack(); }
    static CTool* marker() { return tools().getToolByName("marker"); }
    bool addLoggingTool(const QString& strName)
    {
        return tools().registerTool(boost::make_shared<CLoggingTool>(strName, &m_log));
    }
    static boost::shared_ptr<CToolAction> registeredToolAction(const QString& strTool)
    {
        auto pAction = boost::make_shared<CToolAction>("tool." + strTool, QIcon());
        pAction->setToolName(strTool);
        if (COrrery::getActionManager()->registerAction(pAction) != CActionManager::eRegistered)
            return boost::shared_ptr<CToolAction>();
        return pAction;
    }
    void makeChange(EHostChange eChange)
    {
        switch (eChange) {
        case eToolActivated:
            tools().activate(tools().getActiveTool() == tools().getToolByName("pen") ? "eraser" : "pen");
            break;
        case eRecognizerChosen:
            COrrery::getRecognizerManager()->setActiveRecognizer(
                COrrery::getRecognizerManager()->getActiveRecognizer() ? QString() : "scripted");
            break;
        case ePageChanged:
            COrrery::getWorkspace()->setCurrentTopic(COrrery::getWorkspace()->addTopic());
            break;
        case eLiveDesktopToggled:
            m_host.view()->setLiveDesktopMode(!m_host.view()->liveDesktopMode());
            break;
        }
    }
    static std::unique_ptr<CLabelEditor> editorFor(int iContext, const QString& strProperty = "linewidth")
    {
        auto pEditor = std::make_unique<CLabelEditor>(QStringList() << strProperty, "Ctx", strProperty);
        pEditor->initialise(COrrery::getPropertyEditorManager(),
                            CAbstractPropertyEditor::EEditorContext(iContext));
        return pEditor;
    }
    void select(const QList<int>& boxes)
    {
        COrrery::getSelectionManager()->clearSelection();
        for (int iBox : boxes)
            COrrery::getSelectionManager()->select(m_boxes.at(iBox).get(), true);
    }

private slots:
    void init()
    {
        m_host.start();
        m_log.clear();
        for (const char* szTool : {"pen", "eraser"})
            QVERIFY(tools().registerTool(boost::make_shared<CNamedTool>(szTool)));
        QVERIFY(
            COrrery::getRecognizerManager()->registerRecognizer(boost::make_shared<CScriptedRecognizer>()));
        QVERIFY(tools().registerTool(boost::make_shared<CSavingTool>()));
        QVERIFY(tools().activate("marker"));
        marker()->setToolProperty("linewidth", 7.0);
        m_boxes.clear();
        for (double dWidth : {2.0, 2.0, 4.0}) {
            TComponent pBox = CComponent::create("text");
            pBox->setPropertyValue("position", QPointF(m_boxes.size() * 150.0, 0.0));
            pBox->setPropertyValue("string", "box");
            pBox->setPropertyValue("linewidth", dWidth);
            pBox->setPropertyValue("linestyle", 1);
            QVERIFY(CControlLayer::get()->invokeInsertCommand(pBox, -1, -1));
            m_boxes.append(pBox);
        }
        undoStack()->clear();
        CHostJournal::clear();
    }
    void cleanup()
    {
        m_boxes.clear();
        m_host.stop();
    }

    void theToolManagerRefusesWhatItCannotFindByName()
    {
        CToolManager& manager = *COrrery::getToolManager();
        auto pTool = boost::make_shared<CNamedTool>(QStringLiteral("text"));
        QVERIFY(manager.registerTool(pTool));
        QVERIFY(!manager.registerTool(boost::make_shared<CNamedTool>(QStringLiteral("text"))));
        QVERIFY(!manager.registerTool(boost::make_shared<CNamedTool>(QString())));
        QVERIFY(!manager.registerTool(boost::shared_ptr<CTool>()));
        QCOMPARE(manager.getToolByName(QStringLiteral("text")), pTool.get());

        QCOMPARE(manager.unregisterTool(QStringLiteral("text")), boost::shared_ptr<CTool>(pTool));
        QVERIFY(!manager.unregisterTool(QStringLiteral("text")));
        QCOMPARE(manager.getToolByName(QStringLiteral("text")), nullptr);
    }

    void theActionManagerAnswersZeroOnlyWhenItRegistered()
    {
        CActionManager& manager = *COrrery::getActionManager();
        auto pUnavailable = boost::make_shared<CAnsweringAction>();
        pUnavailable->m_bAvailable = false;
        QCOMPARE(manager.registerAction(pUnavailable), 0);
        // A registered action shows what it answers.
        QVERIFY(!pUnavailable->isEnabled());
        QCOMPARE(pUnavailable->text(), QStringLiteral("Answering"));
        QCOMPARE(manager.registerAction(action("tool.pen")), 0);
        QCOMPARE(manager.registerAction(action("tool.pen")), int(CActionManager::eNameTaken));
        QCOMPARE(manager.registerAction(action(QString())), int(CActionManager::eNoInternalName));
        QCOMPARE(manager.registerAction(boost::shared_ptr<CAction>()), int(CActionManager::eNoAction));
        QCOMPARE(manager.getActionNames(), (QStringList{"tool.answering", "tool.pen"}));
    }

    void editorPrototypesKeepTheirOrderAndAreCloned()
    {
        CPropertyEditorManager& manager = *COrrery::getPropertyEditorManager();
        const QStringList names{"b", "a", "c"};
        for (const QString& strName : names)
            QVERIFY(manager.registerEditor(
                boost::make_shared<CLabelEditor>(QStringList{strName}, "Ctx", strName)));
        QVERIFY(
            !manager.registerEditor(boost::make_shared<CLabelEditor>(QStringList{"x", "a"}, "Ctx", "twice")));
        QVERIFY(!manager.registerEditor(boost::shared_ptr<CAbstractPropertyEditor>()));

        QStringList order;
        for (const auto& pPrototype : manager.prototypes()) {
            order.append(pPrototype->property());
            QCOMPARE(pPrototype->widget(), nullptr); // prototypes stay uninitialised
        }
        QCOMPARE(order, names);

        const boost::shared_ptr<CAbstractPropertyEditor> pEditor =
            manager.createEditor(QStringLiteral("a"), CAbstractPropertyEditor::EEditorContext(5));
        QVERIFY(pEditor);
        QCOMPARE(pEditor->property(), QStringLiteral("a"));
        QCOMPARE(int(pEditor->context()), 5);
        QVERIFY(pEditor->widget());
        QVERIFY(!manager.createEditor(QStringLiteral("unknown"), CAbstractPropertyEditor::eToolContext));
    }

    void contextBarsAndPerspectivesAreFoundByName()
    {
        CContextbarManager& bars = *COrrery::getContextbarManager();
        QVERIFY(bars.registerContextbar(boost::make_shared<CNamedBar>(QStringLiteral("bar")), true));
        QVERIFY(!bars.registerContextbar(boost::make_shared<CNamedBar>(QStringLiteral("bar")), true));
        QVERIFY(bars.isShownByHost(QStringLiteral("bar")));
        QVERIFY(bars.unregisterContextbar(QStringLiteral("bar"), true));
        QVERIFY(!bars.unregisterContextbar(QStringLiteral("bar"), true));

        CToolPropertiesPerspectiveManager& perspectives = *CGUILayer::get()->getToolPerspectiveManager();
        QVERIFY(perspectives.registerPerspective(QStringList{"textpenplugin.handtext"}, &makePanel));
        QVERIFY(!perspectives.registerPerspective(QStringList{"textpenplugin.handtext"}, &makePanel));
        QVERIFY(!perspectives.registerPerspective(QStringList(), &makePanel));
        QVERIFY(!perspectives.registerPerspective(QStringList{"text"}, nullptr));
        QWidget parent;
        QWidget* pPanel = perspectives.createPerspective(QStringLiteral("textpenplugin.handtext"), &parent);
        QVERIFY(pPanel);
        QCOMPARE(pPanel->parentWidget(), &parent);
        QCOMPARE(perspectives.createPerspective(QStringLiteral("text"), &parent), nullptr);
    }

    void theBoardScaleStaysAPositiveNumber_data()
    {
        QTest::addColumn<double>("ratio");
        QTest::addColumn<double>("expected");
        QTest::newRow("set") << 1.5 << 1.5;
        const double dKept = COrrery::getLPToDPRatio();
        QTest::newRow("zero") << 0.0 << dKept;
        QTest::newRow("negative") << -2.0 << dKept;
        QTest::newRow("NaN") << std::nan("") << dKept;
    }
    void theBoardScaleStaysAPositiveNumber()
    {
        QFETCH(double, ratio);
        QFETCH(double, expected);
        COrrery::setLPToDPRatio(ratio);
        QCOMPARE(COrrery::getLPToDPRatio(), expected);
    }

    void theActiveToolLetsGoBeforeTheNextOneStarts()
    {
        QVERIFY(addLoggingTool("a") && addLoggingTool("b"));
        QSignalSpy activated(&tools(), &CToolManager::signalToolActivated);
        QVERIFY(tools().activate("a") && tools().activate("b"));
        QVERIFY(!tools().activate("c"));
        QCOMPARE(m_log, QStringList({"activate a", "deactivate a", "activate b"}));
        QCOMPARE(QList<QVariantList>(activated), QList<QVariantList>({{"a"}, {"b"}}));
        QCOMPARE(tools().getActiveTool(), tools().getToolByName("b"));
        QVERIFY(tools().unregisterTool("b"));
        QCOMPARE(m_log.last(), QStringLiteral("deactivate b"));
        QCOMPARE(tools().getActiveTool(), nullptr);
    }

    void aPropertyIsSetThroughTheToolsRules()
    {
        QVERIFY(addLoggingTool("a"));
        QSignalSpy changed(&tools(), &CToolManager::signalToolPropertyChanged);
        QVERIFY(tools().setToolProperty("a", "width", 5, false));
        QVERIFY(tools().setToolProperty("a", "width", 50, false));
        QVERIFY(!tools().setToolProperty("z", "width", 5, false));
        // The signal carries the value the tool kept.
        QCOMPARE(QList<QVariantList>(changed), QList<QVariantList>({{"a", "width", 5}, {"a", "width", 10}}));
        QCOMPARE(CHostJournal::entries("CToolManager::setToolProperty").size(), 2);
    }

    void savedPropertiesComeBackInTheNextRun_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QVariant>("value");
        QTest::newRow("bool") << "bold" << QVariant(true);
        QTest::newRow("double") << "fontsize" << QVariant(40.5);
        QTest::newRow("int") << "alignment" << QVariant(int(Qt::AlignRight));
        QTest::newRow("text") << "pencolor" << QVariant("normal;#FF00FF00");
        QTest::newRow("colour") << "fontcolor" << QVariant(QColor(10, 20, 30, 40));
    }
    void savedPropertiesComeBackInTheNextRun()
    {
        QFETCH(QString, name);
        QFETCH(QVariant, value);
        QVERIFY(tools().registerTool(boost::make_shared<CTextTool>()));
        QVERIFY(tools().setToolProperty("text", name, value, true));
        // The next run reads a copy from disk; under the same name, QSettings would answer from what
        // this process cached when it wrote.
        SHostOptions options;
        options.strSettingsFile = m_host.settingsFile() + "." + name;
        QVERIFY(QFile::copy(m_host.settingsFile(), options.strSettingsFile));
        m_host.stop();
        CGUILayer::resetHost(options);
        QVERIFY(tools().registerTool(boost::make_shared<CTextTool>()));
        const QVariant restored = tools().getToolByName("text")->getToolProperty(name);
        QCOMPARE(restored, value);
        QCOMPARE(restored.userType(), value.userType());
    }

    void aClickWithTheTextToolOpensOrMakesOneTextBox_data()
    {
        QTest::addColumn<bool>("boxThere");
        QTest::addColumn<bool>("locked");
        QTest::newRow("empty board") << false << false;
        QTest::newRow("on a text box") << true << false;
        QTest::newRow("on a locked text box") << true << true;
    }
    void aClickWithTheTextToolOpensOrMakesOneTextBox()
    {
        QFETCH(bool, boxThere);
        QFETCH(bool, locked);
        const bool bNewBox = !boxThere || locked;
        CTopic* pTopic = CBoardHost::page();
        QVERIFY(tools().registerTool(boost::make_shared<CTextTool>()) && tools().activate("text"));
        if (boxThere) {
            const boost::shared_ptr<CComponent> pBox = CComponent::create("text");
            pBox->setPropertyValue("string", "there");
            pBox->setPropertyValue("position", m_host.view()->mapToScene(QPoint(190, 140)));
            pBox->setPropertyValue("locked", locked);
            QVERIFY(pTopic->addComponent(pBox));
        }
        const int iBefore = pTopic->componentCount();
        QTest::mouseClick(m_host.view()->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(200, 150));

        QCOMPARE(pTopic->componentCount(), iBefore + int(bNewBox));
        QCOMPARE(CControlLayer::get()->undoStack()->count(), int(bNewBox));
        CComponent* pOpened = pTopic->components().last();
        QCOMPARE(dynamic_cast<QGraphicsTextItem*>(pOpened)->textInteractionFlags(),
                 Qt::TextEditorInteraction);
        if (bNewBox) {
            QCOMPARE(pOpened->getPropertyValue("position").toPointF(),
                     m_host.view()->mapToScene(QPoint(200, 150)));
            QCOMPARE(pOpened->getPropertyValue("fontsize"), QVariant(24.0));
        }
    }

    void aToolActionPicksItsToolAndShowsWhileItIsActive()
    {
        const auto pAction = registeredToolAction("pen");
        QVERIFY(pAction && pAction->isCheckable());
        QVERIFY(!pAction->isChecked());
        CHostJournal::clear();
        pAction->trigger();
        QCOMPARE(tools().getActiveTool(), tools().getToolByName("pen"));
        QCOMPARE(CHostJournal::entries(),
                 QStringList({"CToolManager::activate pen", "CToolAction::exec pen -> true"}));
        QVERIFY(pAction->isCheckedImpl() && pAction->isChecked());

        // A second click on the checked entry keeps the tool; it does not take the check mark away.
        pAction->trigger();
        QVERIFY(pAction->isChecked());

        QVERIFY(tools().activate("eraser"));
        QVERIFY(!pAction->isCheckedImpl() && !pAction->isChecked());
    }

    void aToolActionForAnUnknownToolChangesNothing()
    {
        QVERIFY(tools().activate("eraser"));
        const auto pAction = registeredToolAction("chalk");
        pAction->trigger();
        QCOMPARE(tools().getActiveTool(), tools().getToolByName("eraser"));
        QVERIFY(!pAction->isChecked());
        QCOMPARE(CHostJournal::entries("CToolAction::exec"),
                 QStringList({"CToolAction::exec chalk -> false"}));
    }

    void theMenuEntryFollowsWhatTheActionAnswers_data()
    {
        QTest::addColumn<int>("change");
        QTest::newRow("tool activated") << int(eToolActivated);
        QTest::newRow("recognizer chosen") << int(eRecognizerChosen);
        QTest::newRow("page changed") << int(ePageChanged);
        QTest::newRow("live desktop toggled") << int(eLiveDesktopToggled);
    }
    void theMenuEntryFollowsWhatTheActionAnswers()
    {
        QFETCH(int, change);
        auto pAction = boost::make_shared<CAnsweringAction>();
        QCOMPARE(COrrery::getActionManager()->registerAction(pAction), 0);
        QVERIFY(pAction->isVisible() && pAction->isEnabled());

        pAction->m_bEnabled = false;
        makeChange(EHostChange(change));
        QVERIFY(pAction->isVisible() && !pAction->isEnabled());

        // Not available: still listed, greyed out.
        pAction->m_bAvailable = false;
        pAction->m_bEnabled = true;
        makeChange(EHostChange(change));
        QVERIFY(pAction->isVisible() && !pAction->isEnabled());

        pAction->m_bAvailable = true;
        makeChange(EHostChange(change));
        QVERIFY(pAction->isVisible() && pAction->isEnabled());
    }

    void theAnswersFollowRecognizerPageAndView_data()
    {
        QTest::addColumn<bool>("recognizer");
        QTest::addColumn<bool>("blocked");
        QTest::addColumn<bool>("liveDesktop");
        QTest::addColumn<bool>("available");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("ready") << true << false << false << true << true;
        QTest::newRow("no recognizer") << false << false << false << false << false;
        QTest::newRow("no recognizer, blocked, live") << false << true << true << false << false;
        QTest::newRow("live desktop") << true << false << true << true << false;
        QTest::newRow("page blocks input") << true << true << false << false << true;
    }
    void theAnswersFollowRecognizerPageAndView()
    {
        QFETCH(bool, recognizer);
        QFETCH(bool, blocked);
        QFETCH(bool, liveDesktop);
        QFETCH(bool, available);
        QFETCH(bool, enabled);
        CTextPenPlugIn plugin;
        QVERIFY(plugin.setUp());
        CAction* pAction = COrrery::getActionManager()->getAction(QStringLiteral("tool.textpen"));
        QVERIFY(qobject_cast<CTextPenToolAction*>(pAction));
        QCOMPARE(pAction->text(), QStringLiteral("Text-Pen"));

        COrrery::getRecognizerManager()->setActiveRecognizer(recognizer ? QStringLiteral("scripted")
                                                                        : QString());
        COrrery::getWorkspace()->getCurrentTopic()->setInputBlocked(blocked);
        m_host.view()->setLiveDesktopMode(liveDesktop);
        QCOMPARE(pAction->isAvailable(), available);
        QCOMPARE(pAction->isEnabledImpl(), enabled);

        // Chosen even where the menu would not offer it: only an available entry activates the tool,
        // and the check mark stays with the active tool.
        CHostJournal::clear();
        pAction->trigger();
        CToolManager* pTools = COrrery::getToolManager();
        QCOMPARE(pTools->getActiveTool() == pTools->getToolByName(QStringLiteral("textpenplugin.handtext")),
                 available);
        QCOMPARE(pAction->isChecked(), available);
        QCOMPARE(CHostJournal::entries(QStringLiteral("CToolAction::exec")),
                 available ? QStringList() << "CToolAction::exec textpenplugin.handtext -> true"
                           : QStringList());
    }

    void theValueShownComesFromTheToolOrTheSelection_data()
    {
        QTest::addColumn<int>("context");
        QTest::addColumn<QList<int>>("selected");
        QTest::addColumn<QVariant>("expected");
        QTest::newRow("tool context ignores the selection") << 1 << QList<int>{0, 1} << QVariant(7.0);
        QTest::newRow("selection sharing a value") << 9 << QList<int>{0, 1} << QVariant(2.0);
        QTest::newRow("selection of mixed values") << 9 << QList<int>{0, 2} << QVariant();
        QTest::newRow("one component selected") << 8 << QList<int>{2} << QVariant(4.0);
        QTest::newRow("nothing selected reads the tool") << 9 << QList<int>{} << QVariant(7.0);
    }
    void theValueShownComesFromTheToolOrTheSelection()
    {
        QFETCH(int, context);
        QFETCH(QList<int>, selected);
        QFETCH(QVariant, expected);
        select(selected);
        QCOMPARE(editorFor(context)->getPropertyValue("linewidth"), expected);
    }

    void anEditorIsEnabledWhileThereIsSomethingToChange_data()
    {
        QTest::addColumn<int>("context");
        QTest::addColumn<QList<int>>("locked");
        QTest::addColumn<bool>("toolActive");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("active tool") << 1 << QList<int>{0, 1} << true << true;
        QTest::newRow("no active tool") << 1 << QList<int>{} << false << false;
        QTest::newRow("all selected locked") << 9 << QList<int>{0, 1} << true << false;
        QTest::newRow("one selected unlocked") << 9 << QList<int>{0} << false << true;
    }
    void anEditorIsEnabledWhileThereIsSomethingToChange()
    {
        QFETCH(int, context);
        QFETCH(QList<int>, locked);
        QFETCH(bool, toolActive);
        QFETCH(bool, enabled);
        for (int iBox : locked)
            m_boxes.at(iBox)->setPropertyValue("locked", true);
        if (!toolActive)
            tools().deactivate();
        select({0, 1});
        const auto pEditor = editorFor(context);
        QCOMPARE(pEditor->determineEnabledStatusFromComponents(), enabled);
        QCOMPARE(pEditor->applyPropertyValue(3.0), toolActive || enabled);
        QCOMPARE(marker()->getToolProperty("linewidth"), QVariant(toolActive ? 3.0 : 7.0));
    }

    void aChangeGoesToTheActiveToolAndIsSaved()
    {
        select({0});
        QVERIFY(editorFor(1)->applyPropertyValue(9.0));
        QCOMPARE(marker()->getToolProperty("linewidth"), QVariant(9.0));
        QCOMPARE(m_boxes.at(0)->getPropertyValue("linewidth"), QVariant(2.0));
        QCOMPARE(undoStack()->count(), 0);
        QCOMPARE(CHostJournal::entries(),
                 QStringList({"CAbstractPropertyEditor::applyPropertyValue linewidth=9 (0, 0)",
                              "CToolManager::setToolProperty marker linewidth 9",
                              "CToolManager::saveToolSettings"}));
        QSettings saved(m_host.settingsFile(), QSettings::IniFormat);
        QCOMPARE(saved.value("tools/marker/linewidth").toDouble(), 9.0);
    }

    void aChangeOfTheSelectionIsOneUndoStep()
    {
        m_boxes.at(1)->setPropertyValue("locked", true);
        select({0, 1, 2});
        QVERIFY(editorFor(9)->applyPropertyValues({{"linewidth", 6.0}, {"linestyle", 3}}));
        QCOMPARE(m_boxes.at(0)->getPropertyValue("linewidth"), QVariant(6.0));
        QCOMPARE(m_boxes.at(2)->getPropertyValue("linestyle"), QVariant(3));
        QCOMPARE(m_boxes.at(1)->getPropertyValue("linewidth"), QVariant(2.0));
        QCOMPARE(marker()->getToolProperty("linestyle"), QVariant(3));
        QCOMPARE(CHostJournal::entries("CToolManager::setToolProperty"),
                 QStringList({"CToolManager::setToolProperty marker linewidth 6",
                              "CToolManager::setToolProperty marker linestyle 3"}));

        QCOMPARE(undoStack()->count(), 1);
        undoStack()->undo();
        QCOMPARE(m_boxes.at(0)->getPropertyValue("linewidth"), QVariant(2.0));
        QCOMPARE(m_boxes.at(2)->getPropertyValue("linewidth"), QVariant(4.0));
        QCOMPARE(m_boxes.at(2)->getPropertyValue("linestyle"), QVariant(1));
    }

    void theValuePolicyDecidesHowManyStepsADragLeaves_data()
    {
        QTest::addColumn<int>("valuePolicy");
        QTest::addColumn<int>("steps");
        QTest::newRow("own steps") << int(CAbstractPropertyEditor::eValueOwnStep) << 3;
        QTest::newRow("merged") << int(CAbstractPropertyEditor::eValueMergeWithPrevious) << 1;
    }
    void theValuePolicyDecidesHowManyStepsADragLeaves()
    {
        QFETCH(int, valuePolicy);
        QFETCH(int, steps);
        select({2});
        const auto pEditor = editorFor(9);
        for (double dWidth : {5.0, 6.0, 8.0})
            pEditor->applyPropertyValue(dWidth, CAbstractPropertyEditor::eUpdatePropertyOnly,
                                        CAbstractPropertyEditor::EValueUpdatePolicy(valuePolicy));
        // A change of another setting is a step of its own, however it is merged.
        pEditor->applyPropertyValue("linestyle", 3, CAbstractPropertyEditor::eUpdatePropertyOnly,
                                    CAbstractPropertyEditor::EValueUpdatePolicy(valuePolicy));
        QCOMPARE(undoStack()->count(), steps + 1);
        while (undoStack()->canUndo())
            undoStack()->undo();
        QCOMPARE(m_boxes.at(2)->getPropertyValue("linewidth"), QVariant(4.0));
        QCOMPARE(m_boxes.at(2)->getPropertyValue("linestyle"), QVariant(1));
    }
};

QTEST_MAIN(tst_HostServices)
#include "tst_hostservices.moc"
