// The font family editor and its family and size widget: the Designer form as laid out, a family shown
// as the font system resolves it or as no single family, and a family the user picks applied as named.
#include "combobox.h"
#include "editortesthost.h"
#include "fontcombobox.h"
#include "textpenfontfamilyandsizepropertyeditor.h"
#include "textpenfontfamilyandsizewidget.h"

#include <QHBoxLayout>

namespace {

typedef boost::shared_ptr<CTextPenFontFamilyPropertyEditor> TEditor;

TEditor familyEditor(int iContext)
{
    CTextPenFontFamilyPropertyEditor prototype("textpen.fontfamily", "CPropertyEditorManager", "Font Family");
    return CEditorTestHost::clone(prototype, iContext);
}

CFontComboBox* familyBox(QWidget* pWidget)
{
    return pWidget->findChild<CFontComboBox*>(QStringLiteral("fontFamilyComboBox"));
}

} // namespace

class tst_TextPenFontFamilyEditor : public QObject
{
    Q_OBJECT

    CEditorTestHost m_host;

private slots:
    void init() { m_host.start(); }
    void cleanup() { m_host.stop(); }

    void theFormIsLaidOutForTheDisplayMode_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("familyShown");
        QTest::addColumn<bool>("sizeShown");
        QTest::addColumn<QSize>("size");
        QTest::newRow("family only") << 1 << true << false << QSize(272, 30);
        QTest::newRow("size only") << 2 << false << true << QSize(50, 30);
        QTest::newRow("both") << 0 << true << true << QSize(272, 30);
    }
    void theFormIsLaidOutForTheDisplayMode()
    {
        QFETCH(int, mode);
        QFETCH(bool, familyShown);
        QFETCH(bool, sizeShown);
        QFETCH(QSize, size);
        CTextPenFontFamilyAndSizeWidget widget(nullptr, mode);
        QCOMPARE(widget.objectName(), QStringLiteral("textPenFontFamilyAndSizeWidget"));
        QCOMPARE(widget.size(), size);
        QCOMPARE(widget.sizePolicy(), QSizePolicy(QSizePolicy::MinimumExpanding, QSizePolicy::Preferred));
        const auto* pLayout = widget.findChild<QHBoxLayout*>(QStringLiteral("horizontalLayout"));
        QVERIFY(pLayout && pLayout == widget.layout());
        QCOMPARE(pLayout->spacing(), 2);
        QCOMPARE(pLayout->contentsMargins(), QMargins());

        const CFontComboBox* pFamily = familyBox(&widget);
        const auto* pSize = widget.findChild<CComboBox*>(QStringLiteral("fontSizeComboBox"));
        QVERIFY(pFamily && pSize);
        const QSizePolicy boxPolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
        QCOMPARE(pFamily->sizePolicy(), boxPolicy);
        QCOMPARE(pFamily->minimumSize(), QSize(0, 30));
        QCOMPARE(pFamily->maximumSize(), QSize(220, 30));
        QVERIFY(!pFamily->isEditable());
        QCOMPARE(pFamily->fontFilters(), QFontComboBox::ScalableFonts);
        QCOMPARE(pSize->sizePolicy(), boxPolicy);
        QCOMPARE(pSize->minimumSize(), QSize(50, 30));
        QCOMPARE(pSize->maximumSize(), QSize(50, 30));
        QCOMPARE(pSize->insertPolicy(), QComboBox::InsertAlphabetically);
        QVERIFY(!pSize->isEnabled());
        QCOMPARE(pSize->count(), 0);
        QCOMPARE(!pFamily->isHidden(), familyShown);
        QCOMPARE(!pSize->isHidden(), sizeShown);
    }

    void theEditorShowsOnlyTheFamilyBoxAtItsOwnSize()
    {
        const TEditor pTool = familyEditor(1);
        const TEditor pBrowser = familyEditor(3);
        for (QWidget* pWidget : {pTool->widget(), pBrowser->widget()}) {
            QCOMPARE(pWidget->minimumSize(), pWidget->sizeHint());
            QCOMPARE(pWidget->maximumSize(), pWidget->sizeHint());
            QVERIFY(familyBox(pWidget)->isVisibleTo(pWidget));
            QVERIFY(
                !pWidget->findChild<CComboBox*>(QStringLiteral("fontSizeComboBox"))->isVisibleTo(pWidget));
        }
        // A properties browser leaves room above the box.
        QCOMPARE(pBrowser->widget()->height() - pTool->widget()->height(), 4);
    }

    void aFamilyIsShownAsTheFontSystemResolvesIt_data()
    {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<bool>("listed");
        QTest::newRow("installed family") << QVariant(QStringLiteral("Arial")) << true;
        QTest::newRow("family not installed") << QVariant(QStringLiteral("No Such Family 4711")) << false;
        QTest::newRow("a number") << QVariant(42) << false;
        QTest::newRow("a font") << QVariant(QFont(QStringLiteral("Arial"))) << false;
        QTest::newRow("no single value") << QVariant() << true;
        QTest::newRow("empty text") << QVariant(QString()) << true;
    }
    void aFamilyIsShownAsTheFontSystemResolvesIt()
    {
        QFETCH(QVariant, value);
        QFETCH(bool, listed);
        const TEditor pEditor = familyEditor(1);
        CFontComboBox* pBox = familyBox(pEditor->widget());
        const int iFamilies = pBox->count();
        m_host.set("textpen.fontfamily", value);
        // The value passed is not what is shown: the editor reads the tool's.
        pEditor->setValue("textpen.fontfamily", QStringLiteral("Courier"));
        pEditor->setValue("textpen.fontfamily", QStringLiteral("Courier"));

        const QString strFamily = value.toString();
        if (strFamily.isEmpty()) {
            QCOMPARE(pBox->count(), iFamilies + 1);
            QCOMPARE(pBox->currentIndex(), 0);
            QCOMPARE(pBox->currentText(), QString());
            QCOMPARE(pBox->itemData(0), QVariant());
        } else {
            QCOMPARE(pBox->count(), iFamilies);
            QCOMPARE(pBox->currentIndex(), pBox->findText(QFontInfo(QFont(strFamily)).family()));
        }
        if (listed)
            QVERIFY(pBox->currentIndex() >= 0);
        QVERIFY(m_host.applied().isEmpty());
    }

    void theEntryForNoSingleFamilyGoesWithTheNextFamily()
    {
        const TEditor pEditor = familyEditor(1);
        CFontComboBox* pBox = familyBox(pEditor->widget());
        const int iFamilies = pBox->count();
        m_host.set("textpen.fontfamily", QString());
        pEditor->setValue("textpen.fontfamily", QVariant());
        m_host.set("textpen.fontfamily", "Arial");
        pEditor->setValue("textpen.fontfamily", QVariant());
        QCOMPARE(pBox->count(), iFamilies);
        QCOMPARE(pBox->findText(QString()), -1);
        QCOMPARE(pBox->currentText(), QFontInfo(QFont("Arial")).family());
    }

    void aPickedFamilyIsAppliedAsNamed()
    {
        const TEditor pEditor = familyEditor(5);
        showOnScreen(pEditor->widget());
        CFontComboBox* pBox = familyBox(pEditor->widget());
        auto* pInner = pEditor->widget()->findChild<CTextPenFontFamilyAndSizeWidget*>();
        QSignalSpy selected(pInner, SIGNAL(signalFontFamilyOrSizeSelected(QString)));
        m_host.set("textpen.fontfamily", QVariant());
        pEditor->setValue("textpen.fontfamily", QVariant());
        pickFromList(pBox, 0);
        QCOMPARE(selected.count(), 0);

        const QString strFamily = pBox->itemText(3);
        pickFromList(pBox, 3);
        QCOMPARE(QList<QVariantList>(selected), QList<QVariantList>({{strFamily + ";"}}));
        QCOMPARE(m_host.applied(),
                 QStringList("CAbstractPropertyEditor::applyPropertyValue textpen.fontfamily=" + strFamily +
                             " (0, 0)"));
        QCOMPARE(m_host.tool()->getToolProperty("textpen.fontfamily"), QVariant(strFamily));
    }
};

QTEST_MAIN(tst_TextPenFontFamilyEditor)
#include "tst_textpenfontfamilyeditor.moc"
