// The outline width and style editors: what they show for the outline the text pen has, widths scaled
// between tool and board units when they work on selected components, the styles a pen can draw, and
// the user's picks applied in the units and types the tool keeps.
#include "component.h"
#include "editortesthost.h"
#include "linestylewidget.h"
#include "penwidthwidget.h"
#include "selectionmanager.h"
#include "textpenlinestylepropertyeditor.h"
#include "textpenlinewidthpropertyeditor.h"

#include <QLabel>

typedef QList<PenUtil::ELineStyle> TStyles;
Q_DECLARE_METATYPE(TStyles)

namespace {

const QString c_strNormal = QStringLiteral("normal;#FF000000");

boost::shared_ptr<CAbstractPropertyEditor> lineEditor(bool bStyle, int iContext,
                                                      const QString& strLabel = QString())
{
    if (bStyle) {
        CTextPenLineStylePropertyEditor prototype("textpen.linestyle", "CPropertyEditorManager", strLabel);
        return CEditorTestHost::clone(prototype, iContext);
    }
    CTextPenLineWidthPropertyEditor prototype("textpen.linewidth", "CPropertyEditorManager", strLabel);
    return CEditorTestHost::clone(prototype, iContext);
}

} // namespace

class tst_TextPenLineEditors : public QObject
{
    Q_OBJECT

    CEditorTestHost m_host;
    QList<boost::shared_ptr<CComponent>> m_boxes;

    // The same outline on the tool and on two text boxes, which are selected if asked.
    void setOutline(const QString& strName, const QVariant& value, bool bSelect)
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
        m_boxes.clear();
        for (int i = 0; i < 2; ++i) {
            m_boxes.append(CComponent::create("text"));
            m_boxes.last()->setPropertyValue("position", QPointF(i * 150.0, 0.0));
            QVERIFY(CControlLayer::get()->invokeInsertCommand(m_boxes.last(), -1, -1));
        }
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
        QTest::addColumn<bool>("selected");
        QTest::addColumn<QVariant>("outline");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<double>("shown");
        QTest::addColumn<bool>("boxEnabled");
        const QString strWidth = QStringLiteral("textpen.linewidth");
        QTest::newRow("no outline") << 1 << false << QVariant("null;") << strWidth << QVariant(5.0) << 5.0
                                    << false;
        QTest::newRow("an outline") << 1 << false << QVariant(c_strNormal) << strWidth << QVariant(5.0) << 5.0
                                    << true;
        QTest::newRow("outline changed")
            << 1 << false << QVariant("null;") << "textpen.linecolor" << QVariant(5.0) << 5.0 << false;
        QTest::newRow("unrelated name")
            << 1 << false << QVariant("null;") << "textpen.fontcolor" << QVariant(5.0) << 5.0 << true;
        QTest::newRow("selection") << 9 << true << QVariant(c_strNormal) << strWidth << QVariant(10.0) << 5.0
                                   << true;
        QTest::newRow("nothing selected")
            << 9 << false << QVariant(c_strNormal) << strWidth << QVariant(10.0) << 10.0 << true;
        QTest::newRow("no tool flag")
            << 4 << false << QVariant("null;") << strWidth << QVariant(5.0) << 0.0 << true;
        QTest::newRow("no single width")
            << 1 << false << QVariant(c_strNormal) << strWidth << QVariant() << 0.0 << true;
        QTest::newRow("width as text")
            << 1 << false << QVariant(c_strNormal) << strWidth << QVariant("7.5") << 7.5 << true;
        QTest::newRow("no single outline")
            << 1 << false << QVariant() << strWidth << QVariant(5.0) << 5.0 << true;
    }
    void theWidthIsShownForTheOutlineInToolUnits()
    {
        QFETCH(int, context);
        QFETCH(bool, selected);
        QFETCH(QVariant, outline);
        QFETCH(QString, name);
        QFETCH(QVariant, stored);
        QFETCH(double, shown);
        QFETCH(bool, boxEnabled);
        const auto pEditor = lineEditor(false, context);
        auto* pBox = pEditor->widget()->findChild<CPenWidthWidget*>();
        setOutline("textpen.linewidth", stored, selected);
        setOutline("textpen.linecolor", outline, selected);
        pEditor->setValue(name, QVariant(3.0));
        QCOMPARE(pBox->penWidth(), shown);
        QCOMPARE(pBox->isEnabled(), boxEnabled);
        QVERIFY(pEditor->widget()->isEnabled());
        QVERIFY(m_host.applied().isEmpty());
    }

    void aPickedWidthIsAppliedInTheUnitsOfWhatIsEdited_data()
    {
        QTest::addColumn<int>("context");
        QTest::addColumn<bool>("selected");
        QTest::addColumn<double>("picked");
        QTest::addColumn<QString>("applied");
        QTest::newRow("tool") << 1 << false << 7.0 << "7";
        QTest::newRow("selection") << 9 << true << 3.0 << "6";
        QTest::newRow("nothing selected") << 9 << false << 3.0 << "3";
        QTest::newRow("no tool flag") << 4 << false << 3.0 << "6";
    }
    void aPickedWidthIsAppliedInTheUnitsOfWhatIsEdited()
    {
        QFETCH(int, context);
        QFETCH(bool, selected);
        QFETCH(double, picked);
        QFETCH(QString, applied);
        setOutline("textpen.linecolor", c_strNormal, selected);
        const auto pEditor = lineEditor(false, context);
        showOnScreen(pEditor->widget());
        auto* pBox = pEditor->widget()->findChild<CPenWidthWidget*>();
        pickFromList(pBox, pBox->widths().indexOf(picked));
        QCOMPARE(m_host.applied(),
                 QStringList("CAbstractPropertyEditor::applyPropertyValue textpen.linewidth=" + applied +
                             " (0, 0)"));
        QCOMPARE(m_host.tool()->getToolProperty("textpen.linewidth"), QVariant(applied.toDouble()));
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
        const TStyles none{eLineStyleNone};
        const TStyles all{eLineStyleSolid, eLineStyleDash, eLineStyleDot, eLineStyleDashDot,
                          eLineStyleDashDotDot};
        const QString strStyle = QStringLiteral("textpen.linestyle");
        QTest::newRow("no outline") << 1 << strStyle << QVariant(3) << "null;" << none << QVariant();
        QTest::newRow("normal pen") << 1 << strStyle << QVariant(3) << c_strNormal << all << QVariant(3);
        QTest::newRow("tube pen") << 1 << strStyle << QVariant(1) << "tube;#FF000000"
                                  << TStyles{eLineStyleSolid} << QVariant(1);
        QTest::newRow("shadow pen, dotted")
            << 1 << strStyle << QVariant(3) << "shadow;#FF000000" << TStyles{eLineStyleSolid} << QVariant();
        QTest::newRow("locked") << 1 << "locked" << QVariant(true) << c_strNormal << all << QVariant(4);
        QTest::newRow("outline changed")
            << 1 << "textpen.linecolor" << QVariant("null;") << c_strNormal << all << QVariant(4);
        QTest::newRow("unrelated name")
            << 1 << "textpen.fontcolor" << QVariant(3) << c_strNormal << none << QVariant();
        QTest::newRow("no tool flag") << 4 << strStyle << QVariant(3) << c_strNormal << none << QVariant();
        QTest::newRow("style as text") << 1 << strStyle << QVariant("2") << c_strNormal << all << QVariant(2);
        QTest::newRow("no single style") << 1 << strStyle << QVariant() << c_strNormal << all << QVariant();
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

    void aPickedStyleIsAppliedAsItsCode_data()
    {
        QTest::addColumn<int>("context");
        QTest::newRow("properties panel") << 1;
        QTest::newRow("no tool flag") << 4;
    }
    void aPickedStyleIsAppliedAsItsCode()
    {
        QFETCH(int, context);
        const auto pEditor = lineEditor(true, context);
        showOnScreen(pEditor->widget());
        auto* pBox = pEditor->widget()->findChild<CLineStyleWidget*>();
        pickFromList(pBox, pBox->findData(int(PenUtil::eLineStyleDot)));
        QCOMPARE(m_host.applied(),
                 QStringList("CAbstractPropertyEditor::applyPropertyValue textpen.linestyle=3 (0, 0)"));
        QCOMPARE(m_host.tool()->getToolProperty("textpen.linestyle").userType(), int(QMetaType::Int));
    }

    void theLabelIsTheDisplayNameOutsideTheContextBar_data()
    {
        QTest::addColumn<bool>("style");
        QTest::addColumn<int>("context");
        QTest::addColumn<bool>("labelled");
        QTest::newRow("width, panel") << false << 1 << true;
        QTest::newRow("width, context bar") << false << 5 << false;
        QTest::newRow("style, panel") << true << 1 << true;
        QTest::newRow("style, context bar") << true << 5 << false;
    }
    void theLabelIsTheDisplayNameOutsideTheContextBar()
    {
        QFETCH(bool, style);
        QFETCH(int, context);
        QFETCH(bool, labelled);
        const auto pEditor = lineEditor(style, context, "Outline of the box");
        QWidget* pWidget = pEditor->widget();
        QLabel* pLabel = pWidget->findChild<QLabel*>();
        QCOMPARE(pLabel != nullptr, labelled);
        const QSize size = pWidget->size();
        QCOMPARE(pWidget->minimumSize(), pWidget->sizeHint());
        QCOMPARE(pWidget->maximumSize(), pWidget->sizeHint());
        if (pLabel) {
            QCOMPARE(pLabel->text(), QStringLiteral("Outline of the box"));
            pLabel->setText(QString());
        }
        QVERIFY(QMetaObject::invokeMethod(pEditor.get(), "slotLanguageChanged", Q_ARG(QString, "de"),
                                          Q_ARG(bool, false)));
        if (pLabel)
            QCOMPARE(pLabel->text(), QStringLiteral("Outline of the box"));
        else
            QCOMPARE(pWidget->size(), size);
    }
};

QTEST_MAIN(tst_TextPenLineEditors)
#include "tst_textpenlineeditors.moc"
