// The weight and style editor: the three attributes shown together as the switches' flags, each read
// as the host converts it to a bool, and a switch the user toggles applied as that one property.
#include "editortesthost.h"
#include "textpenweightandstylepropertyeditor.h"
#include "textweightandstylewidget.h"

#include <QToolButton>

namespace {

typedef boost::shared_ptr<CTextPenWeightAndStylePropertyEditor> TEditor;

TEditor weightAndStyleEditor()
{
    CTextPenWeightAndStylePropertyEditor prototype(
        QStringList{"textpen.bold", "textpen.italic", "textpen.underline"}, "CPropertyEditorManager",
        "Weight/Style");
    return CEditorTestHost::clone(prototype, 5);
}

} // namespace

class tst_TextPenWeightAndStyleEditor : public QObject
{
    Q_OBJECT

    CEditorTestHost m_host;

private slots:
    void init() { m_host.start(); }
    void cleanup() { m_host.stop(); }

    void theThreeAttributesAreShownAsFlags_data()
    {
        QTest::addColumn<QVariant>("bold");
        QTest::addColumn<QVariant>("italic");
        QTest::addColumn<QVariant>("underline");
        QTest::addColumn<int>("flags");
        QTest::newRow("bold and underline") << QVariant(true) << QVariant(false) << QVariant(true) << 5;
        QTest::newRow("all three") << QVariant(true) << QVariant(true) << QVariant(true) << 7;
        QTest::newRow("none") << QVariant(false) << QVariant(false) << QVariant(false) << 0;
        QTest::newRow("no single values") << QVariant() << QVariant() << QVariant() << 0;
        QTest::newRow("italic mixed") << QVariant(true) << QVariant() << QVariant(false) << 1;
        QTest::newRow("ints") << QVariant(0) << QVariant(1) << QVariant(2) << 6;
        QTest::newRow("texts") << QVariant("false") << QVariant("true") << QVariant("0") << 2;
    }
    void theThreeAttributesAreShownAsFlags()
    {
        QFETCH(QVariant, bold);
        QFETCH(QVariant, italic);
        QFETCH(QVariant, underline);
        QFETCH(int, flags);
        const TEditor pEditor = weightAndStyleEditor();
        auto* pSwitches = pEditor->widget()->findChild<CTextWeightAndStyleWidget*>();
        QVERIFY(pSwitches);
        pSwitches->setWeightAndStyle(CTextWeightAndStyleWidget::EWeightAndStyle(7 - flags));
        m_host.set("textpen.bold", bold);
        m_host.set("textpen.italic", italic);
        m_host.set("textpen.underline", underline);
        // Whichever of its names the surface passes, the editor shows all three.
        pEditor->setValue("textpen.underline", QVariant(true));
        QCOMPARE(int(pSwitches->weightAndStyle()), flags);
        QVERIFY(m_host.applied().isEmpty());
    }

    void aToggledSwitchAppliesOnlyItsOwnProperty_data()
    {
        QTest::addColumn<int>("flags");
        QTest::addColumn<QString>("clicked");
        QTest::addColumn<QString>("applied");
        QTest::newRow("italic on") << 0 << "italic"
                                   << "textpen.italic=true";
        QTest::newRow("bold off") << 5 << "bold"
                                  << "textpen.bold=false";
        QTest::newRow("underline off") << 7 << "underline"
                                       << "textpen.underline=false";
    }
    void aToggledSwitchAppliesOnlyItsOwnProperty()
    {
        QFETCH(int, flags);
        QFETCH(QString, clicked);
        QFETCH(QString, applied);
        const TEditor pEditor = weightAndStyleEditor();
        showOnScreen(pEditor->widget());
        m_host.set("textpen.bold", bool(flags & 1));
        m_host.set("textpen.italic", bool(flags & 2));
        m_host.set("textpen.underline", bool(flags & 4));
        pEditor->setValue("textpen.bold", QVariant());
        QTest::mouseClick(pEditor->widget()->findChild<CTextWeightAndStyleWidget*>()->button(clicked),
                          Qt::LeftButton);
        QCOMPARE(m_host.applied(),
                 QStringList("CAbstractPropertyEditor::applyPropertyValue " + applied + " (0, 0)"));
        const QVariant stored = m_host.tool()->getToolProperty("textpen." + clicked);
        QCOMPARE(stored.userType(), int(QMetaType::Bool));
        QCOMPARE(stored.toBool(), applied.endsWith("true"));
    }
};

QTEST_MAIN(tst_TextPenWeightAndStyleEditor)
#include "tst_textpenweightandstyleeditor.moc"
