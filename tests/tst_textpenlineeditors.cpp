// The outline width and style editors: what they show for the outline the text pen has, widths scaled
// between tool and board units when they work on selected components, the styles a pen can draw, and
// the user's picks applied in the units and types the tool keeps.
#include "component.h"
#include "controllayer.h"
#include "editorhost.h"
#include "linestylewidget.h"
#include "penwidthwidget.h"
#include "selectionmanager.h"

typedef QList<PenUtil::ELineStyle> TStyles;
Q_DECLARE_METATYPE(TStyles)

namespace {

const QString c_strPen = QStringLiteral("normal;#FF000000");

boost::shared_ptr<CAbstractPropertyEditor> lineEditor(bool bStyle, int iContext)
{
    return CEditorHost::editor(bStyle ? "textpen.linestyle" : "textpen.linewidth", iContext);
}

} // namespace

class tst_TextPenLineEditors : public QObject
{
    Q_OBJECT

    CEditorHost m_host;
    QList<boost::shared_ptr<CComponent>> m_boxes;

    // The same value on the tool and on two text boxes, which are selected if asked.
    void setEverywhere(const QString& strName, const QVariant& value, bool bSelect)
    {
        m_host.set(strName, value);
        for (const auto& pBox : m_boxes) {
            pBox->setPropertyValue(strName, value);
            if (bSelect)
                COrrery::getSelectionManager()->select(pBox.get(), true);
        }
    }

private slots:
    void init()
    {
        m_host.start();
        COrrery::setLPToDPRatio(2.0);
        m_boxes = {CComponent::create("text"), CComponent::create("text")};
        m_boxes.last()->setPropertyValue("position", QPointF(150.0, 0.0));
        for (const auto& pBox : m_boxes)
            QVERIFY(CControlLayer::get()->invokeInsertCommand(pBox, -1, -1));
        CHostJournal::clear();
    }
    void cleanup()
    {
        m_boxes.clear();
        m_host.stop();
    }

    void theWidthIsShownForTheOutlineInToolUnits_data()
    {
        QTest::addColumn<int>("context");
        QTest::addColumn<QVariant>("outline");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<double>("shown");
        QTest::addColumn<bool>("boxEnabled");
        const QString strWidth = QStringLiteral("textpen.linewidth");
        QTest::newRow("no outline") << 1 << QVariant("null;") << strWidth << QVariant(5.0) << 5.0 << false;
        QTest::newRow("an outline") << 1 << QVariant(c_strPen) << strWidth << QVariant(5.0) << 5.0 << true;
        QTest::newRow("outline gone")
            << 1 << QVariant("null;") << "textpen.linecolor" << QVariant(5) << 5.0 << false;
        QTest::newRow("unrelated") << 1 << QVariant("null;") << "textpen.fontcolor" << QVariant(5.0) << 5.0
                                   << true;
        QTest::newRow("selection") << 9 << QVariant(c_strPen) << strWidth << QVariant(10.0) << 5.0 << true;
        QTest::newRow("no tool flag") << 4 << QVariant("null;") << strWidth << QVariant(5.0) << 0.0 << true;
        QTest::newRow("no single width") << 1 << QVariant(c_strPen) << strWidth << QVariant() << 0.0 << true;
        QTest::newRow("width as text")
            << 1 << QVariant(c_strPen) << strWidth << QVariant("7.5") << 7.5 << true;
        QTest::newRow("no single outline") << 1 << QVariant() << strWidth << QVariant(5.0) << 5.0 << true;
    }
    void theWidthIsShownForTheOutlineInToolUnits()
    {
        QFETCH(int, context);
        QFETCH(QVariant, outline);
        QFETCH(QString, name);
        QFETCH(QVariant, stored);
        QFETCH(double, shown);
        QFETCH(bool, boxEnabled);
        const auto pEditor = lineEditor(false, context);
        auto* pBox = pEditor->widget()->findChild<CPenWidthWidget*>();
        setEverywhere("textpen.linewidth", stored, context & 8);
        setEverywhere("textpen.linecolor", outline, context & 8);
        pEditor->setValue(name, QVariant(3.0));
        QCOMPARE(pBox->penWidth(), shown);
        QCOMPARE(pBox->isEnabled(), boxEnabled);
        QVERIFY(m_host.applied().isEmpty());
    }

    void aPickIsAppliedInTheUnitsAndTypeTheToolKeeps_data()
    {
        QTest::addColumn<bool>("style");
        QTest::addColumn<int>("context");
        QTest::addColumn<bool>("selected");
        QTest::addColumn<QVariant>("applied");
        QTest::newRow("width, tool") << false << 1 << false << QVariant(3.0);
        QTest::newRow("width, selection") << false << 9 << true << QVariant(6.0);
        QTest::newRow("width, nothing selected") << false << 9 << false << QVariant(3.0);
        QTest::newRow("width, no tool flag") << false << 4 << false << QVariant(6.0);
        QTest::newRow("style, tool") << true << 1 << false << QVariant(3);
        QTest::newRow("style, no tool flag") << true << 4 << true << QVariant(3);
    }
    void aPickIsAppliedInTheUnitsAndTypeTheToolKeeps()
    {
        QFETCH(bool, style);
        QFETCH(int, context);
        QFETCH(bool, selected);
        QFETCH(QVariant, applied);
        setEverywhere("textpen.linecolor", c_strPen, selected);
        const auto pEditor = lineEditor(style, context);
        auto* pBox = pEditor->widget()->findChild<QComboBox*>();
        // The third entry of either box: a width of 3 or the dotted style.
        QVERIFY(shown(pEditor->widget()));
        pickFromList(pBox, 2);
        QCOMPARE(m_host.applied(), m_host.applied(pEditor->property() + "=" + applied.toString()));
        const QVariant stored = m_host.tool()->getToolProperty(pEditor->property());
        QCOMPARE(stored, applied);
        QCOMPARE(stored.userType(), applied.userType());
    }

    void theStylesOfferedFollowTheOutlinesPen_data()
    {
        QTest::addColumn<int>("context");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("outline");
        QTest::addColumn<TStyles>("offered");
        QTest::addColumn<QVariant>("shown");
        using namespace PenUtil;
        const TStyles none{eLineStyleNone}, solid{eLineStyleSolid};
        const TStyles all{eLineStyleSolid, eLineStyleDash, eLineStyleDot, eLineStyleDashDot,
                          eLineStyleDashDotDot};
        const QString strStyle = QStringLiteral("textpen.linestyle");
        QTest::newRow("no outline") << 1 << strStyle << QVariant(3) << "null;" << none << QVariant();
        QTest::newRow("normal pen") << 1 << strStyle << QVariant(3) << c_strPen << all << QVariant(3);
        QTest::newRow("tube pen") << 1 << strStyle << QVariant(1) << "tube;#FF000000" << solid << QVariant(1);
        QTest::newRow("shadow, dotted")
            << 1 << strStyle << QVariant(3) << "shadow;#FF000000" << solid << QVariant();
        QTest::newRow("locked") << 1 << "locked" << QVariant(true) << c_strPen << all << QVariant(4);
        QTest::newRow("outline") << 1 << "textpen.linecolor" << QVariant("null;") << c_strPen << all
                                 << QVariant(4);
        QTest::newRow("unrelated") << 1 << "textpen.fontcolor" << QVariant(3) << c_strPen << none
                                   << QVariant();
        QTest::newRow("no tool flag") << 4 << strStyle << QVariant(3) << c_strPen << none << QVariant();
        QTest::newRow("style as text") << 1 << strStyle << QVariant("2") << c_strPen << all << QVariant(2);
    }
    void theStylesOfferedFollowTheOutlinesPen()
    {
        QFETCH(int, context);
        QFETCH(QString, name);
        QFETCH(QVariant, value);
        QFETCH(QString, outline);
        QFETCH(TStyles, offered);
        QFETCH(QVariant, shown);
        m_host.set("textpen.linestyle", 4);
        m_host.set("textpen.linecolor", outline);
        const auto pEditor = lineEditor(true, context);
        auto* pBox = pEditor->widget()->findChild<CLineStyleWidget*>();
        pEditor->setValue(name, value);
        QCOMPARE(pBox->offeredStyles(), offered);
        QCOMPARE(pBox->lineStyle(), shown);
        QVERIFY(m_host.applied().isEmpty());
    }
};

QTEST_MAIN(tst_TextPenLineEditors)
#include "tst_textpenlineeditors.moc"
