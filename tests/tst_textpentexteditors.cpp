// The font family editor, and the weight and style editor: values shown as the
// font system resolves a family and as the switches' flags, the states of no single value, and the
// user's picks applied as the named properties.
#include "combobox.h"
#include "editorhost.h"
#include "fontcombobox.h"
#include "textweightandstylewidget.h"

#include <QToolButton>

namespace {

boost::shared_ptr<CAbstractPropertyEditor> familyEditor(int iContext)
{
    return CEditorHost::editor(QStringLiteral("textpen.fontfamily"), iContext);
}

boost::shared_ptr<CAbstractPropertyEditor> weightEditor()
{
    return CEditorHost::editor(QStringLiteral("textpen.bold"), 5);
}

template <class TChild>
TChild* child(QWidget* pWidget, const QString& strName = QString())
{
    return pWidget->findChild<TChild*>(strName);
}

} // namespace

class tst_TextPenTextEditors : public QObject
{
    Q_OBJECT

    CEditorHost m_host;

private slots:
    void init() { m_host.start(); }
    void cleanup() { m_host.stop(); }

    void aFamilyIsShownAsTheFontSystemResolvesIt_data()
    {
        QTest::addColumn<QVariant>("value");
        QTest::newRow("installed") << QVariant("Arial");
        QTest::newRow("not installed") << QVariant("No Such Family 4711");
        QTest::newRow("a number") << QVariant(42);
        QTest::newRow("a font") << QVariant(QFont("Arial"));
        QTest::newRow("no single value") << QVariant();
        QTest::newRow("empty text") << QVariant(QString());
    }
    void aFamilyIsShownAsTheFontSystemResolvesIt()
    {
        QFETCH(QVariant, value);
        const auto pEditor = familyEditor(1);
        CFontComboBox* pBox = child<CFontComboBox>(pEditor->widget(), "fontFamilyComboBox");
        const int iFamilies = pBox->count();
        // A family shown after no single value takes the empty entry away; two in a row leave one.
        for (const QVariant& shown : {QVariant(), value, value}) {
            m_host.set("textpen.fontfamily", shown);
            pEditor->setValue("textpen.fontfamily", QStringLiteral("Courier"));
        }
        const QString strFamily = value.toString();
        QCOMPARE(pBox->count(), iFamilies + (strFamily.isEmpty() ? 1 : 0));
        QCOMPARE(pBox->currentIndex(),
                 strFamily.isEmpty() ? 0 : pBox->findText(QFontInfo(QFont(strFamily)).family()));
        QVERIFY(pBox->currentIndex() >= 0 || value != QVariant("Arial"));
        QCOMPARE(pBox->findText(QString()), strFamily.isEmpty() ? 0 : -1);
        QVERIFY(m_host.applied().isEmpty());
    }

    void aPickedFamilyIsAppliedAsNamed()
    {
        const auto pEditor = familyEditor(5);
        CFontComboBox* pBox = child<CFontComboBox>(pEditor->widget(), "fontFamilyComboBox");
        m_host.set("textpen.fontfamily", QVariant());
        pEditor->setValue("textpen.fontfamily", QVariant());
        QVERIFY(shown(pEditor->widget()));
        // The empty entry of no single value is never applied.
        pickFromList(pBox, 0);
        QVERIFY(m_host.applied().isEmpty());
        const QString strFamily = pBox->itemText(3);
        pickFromList(pBox, 3);
        QCOMPARE(m_host.applied(), m_host.applied("textpen.fontfamily=" + strFamily));
        QCOMPARE(m_host.tool()->getToolProperty("textpen.fontfamily"), QVariant(strFamily));
    }

    void theThreeAttributesAreShownAsFlags_data()
    {
        QTest::addColumn<QVariantList>("values");
        QTest::addColumn<int>("flags");
        QTest::newRow("bold, underline") << QVariantList{true, false, true} << 5;
        QTest::newRow("all") << QVariantList{true, true, true} << 7;
        QTest::newRow("none") << QVariantList{false, false, false} << 0;
        QTest::newRow("no single values") << QVariantList{QVariant(), QVariant(), QVariant()} << 0;
        QTest::newRow("italic mixed") << QVariantList{true, QVariant(), false} << 1;
        QTest::newRow("ints") << QVariantList{0, 1, 2} << 6;
    }
    void theThreeAttributesAreShownAsFlags()
    {
        QFETCH(QVariantList, values);
        QFETCH(int, flags);
        const auto pEditor = weightEditor();
        auto* pSwitches = child<CTextWeightAndStyleWidget>(pEditor->widget());
        pSwitches->setWeightAndStyle(CTextWeightAndStyleWidget::EWeightAndStyle(7 - flags));
        for (int i = 0; i < 3; ++i)
            m_host.set(pEditor->properties().at(i), values.at(i));
        // Whichever of its names the surface passes, the editor shows all three.
        pEditor->setValue("textpen.underline", QVariant(true));
        QCOMPARE(int(pSwitches->weightAndStyle()), flags);
        QVERIFY(m_host.applied().isEmpty());
    }

    void aToggledSwitchAppliesOnlyItsOwnProperty_data()
    {
        QTest::addColumn<int>("flags");
        QTest::addColumn<QString>("clicked");
        QTest::addColumn<int>("after");
        QTest::newRow("italic on") << 0 << "italic" << 2;
        QTest::newRow("bold off") << 5 << "bold" << 4;
        QTest::newRow("underline off") << 7 << "underline" << 3;
        QTest::newRow("underline on") << 2 << "underline" << 6;
    }
    void aToggledSwitchAppliesOnlyItsOwnProperty()
    {
        QFETCH(int, flags);
        QFETCH(QString, clicked);
        QFETCH(int, after);
        const auto pEditor = weightEditor();
        for (int i = 0; i < 3; ++i)
            m_host.set(pEditor->properties().at(i), bool(flags & (1 << i)));
        pEditor->setValue("textpen.bold", QVariant());
        QVERIFY(shown(pEditor->widget()));
        auto* pSwitches = child<CTextWeightAndStyleWidget>(pEditor->widget());
        QTest::mouseClick(pSwitches->button(clicked), Qt::LeftButton);
        QCOMPARE(int(pSwitches->weightAndStyle()), after);
        const bool bOn = after > flags;
        QCOMPARE(m_host.applied(), m_host.applied("textpen." + clicked + (bOn ? "=true" : "=false")));
        const QVariant stored = m_host.tool()->getToolProperty("textpen." + clicked);
        QCOMPARE(stored.userType(), int(QMetaType::Bool));
        QCOMPARE(stored.toBool(), bOn);
    }
};

QTEST_MAIN(tst_TextPenTextEditors)
#include "tst_textpentexteditors.moc"
