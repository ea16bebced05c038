// What every property editor gets from the host's editor base: the value to show, read from the active
// tool or from the selection, whether it may be used, and the user's changes going back to the tool
// (saved) and to the selected components (undoable).
#include "abstractpropertyeditor.h"
#include "boardhost.h"
#include "component.h"
#include "controllayer.h"
#include "hostjournal.h"
#include "selectionmanager.h"
#include "tool.h"
#include "toolmanager.h"

#include <QLabel>
#include <QSettings>
#include <QUndoStack>
#include <QtTest>
#include <boost/make_shared.hpp>

namespace {

// A tool that keeps its outline width and style in the user settings.
class CSavingTool : public CTool
{
public:
    QString getName() const override { return QStringLiteral("marker"); }
    QList<QString> getPersistentProperties() const override { return {"linewidth", "linestyle"}; }
};

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
    void setValue(const QString&, const QVariant&) override {}

protected:
    void derivedInitialise() override { m_pWidget = new QLabel(); }

private:
    QLabel* m_pWidget = nullptr;
};

typedef boost::shared_ptr<CComponent> TComponent;

} // namespace

class tst_PropertyEditorBase : public QObject
{
    Q_OBJECT

    CBoardHost m_host;
    QList<TComponent> m_boxes;

    static QUndoStack* undoStack() { return CControlLayer::get()->undoStack(); }
    static CTool* marker() { return COrrery::getToolManager()->getToolByName("marker"); }
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
        QVERIFY(COrrery::getToolManager()->registerTool(boost::make_shared<CSavingTool>()));
        QVERIFY(COrrery::getToolManager()->activate("marker"));
        marker()->setToolProperty("linewidth", 7.0);
        m_boxes.clear();
        const double widths[] = {2.0, 2.0, 4.0};
        for (double dWidth : widths) {
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
            COrrery::getToolManager()->deactivate();
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

QTEST_MAIN(tst_PropertyEditorBase)
#include "tst_propertyeditorbase.moc"
