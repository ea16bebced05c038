// The host's managers: registration by name with real refusals, and the board's scale.
#include "abstractpropertyeditor.h"
#include "action.h"
#include "actionmanager.h"
#include "contextbarinterface.h"
#include "contextbarmanager.h"
#include "guilayer.h"
#include "hostjournal.h"
#include "namedtool.h"
#include "orrery.h"
#include "propertyeditormanager.h"
#include "tool.h"
#include "toolmanager.h"
#include "toolpropertiesperspectivemanager.h"

#include <QLabel>
#include <QtTest>
#include <boost/make_shared.hpp>
#include <cmath>

namespace {

class CUnavailableAction : public CAction
{
public:
    CUnavailableAction() : CAction(QStringLiteral("tool.unavailable"), QIcon()) {}
    bool isAvailable() override { return false; }
    QString getLabelText() override { return QStringLiteral("Unavailable"); }
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

class CLabelEditor : public CAbstractPropertyEditor
{
public:
    using CAbstractPropertyEditor::CAbstractPropertyEditor;
    ~CLabelEditor() override { delete m_pWidget; }
    boost::shared_ptr<CAbstractPropertyEditor> clone(CPropertyEditorManager* pManager,
                                                     EEditorContext eContext) override
    {
        boost::shared_ptr<CLabelEditor> pClone =
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

QWidget* makePanel(QWidget* pParent)
{
    return new QLabel(QStringLiteral("panel"), pParent);
}

boost::shared_ptr<CAction> action(const QString& strName)
{
    return boost::make_shared<CAction>(strName, QIcon());
}

} // namespace

class tst_HostManagers : public QObject
{
    Q_OBJECT

private slots:
    void init() { CGUILayer::resetHost(); }
    void cleanupTestCase() { CGUILayer::shutdownHost(); }

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
        auto pUnavailable = boost::make_shared<CUnavailableAction>();
        QCOMPARE(manager.registerAction(pUnavailable), 0);
        // A registered action shows what it answers.
        QVERIFY(!pUnavailable->isEnabled());
        QCOMPARE(pUnavailable->text(), QStringLiteral("Unavailable"));
        QCOMPARE(manager.registerAction(action("tool.pen")), 0);
        QCOMPARE(manager.registerAction(action("tool.pen")), int(CActionManager::eNameTaken));
        QCOMPARE(manager.registerAction(action(QString())), int(CActionManager::eNoInternalName));
        QCOMPARE(manager.registerAction(boost::shared_ptr<CAction>()), int(CActionManager::eNoAction));
        QCOMPARE(manager.getActionNames(), (QStringList{"tool.unavailable", "tool.pen"}));
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
        QTest::newRow("zero") << 0.0 << 1.0;
        QTest::newRow("negative") << -2.0 << 1.0;
        QTest::newRow("NaN") << std::nan("") << 1.0;
    }
    void theBoardScaleStaysAPositiveNumber()
    {
        QFETCH(double, ratio);
        QFETCH(double, expected);
        COrrery::setLPToDPRatio(ratio);
        QCOMPARE(COrrery::getLPToDPRatio(), expected);
    }
};

QTEST_MAIN(tst_HostManagers)
#include "tst_hostmanagers.moc"
