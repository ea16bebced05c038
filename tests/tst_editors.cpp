// The text pen's property editors as a user meets them: each made by the host from the prototype
// set-up registers, showing what the host holds (nothing for no single value) without sending it back,
// and handing the user's picks back under the right names, with the right policies, in the units and
// types the tool keeps.
#include "colorselect.h"
#include "component.h"
#include "controllayer.h"
#include "controlsignalsource.h"
#include "editorhost.h"
#include "fillcolourwidget.h"
#include "fontcombobox.h"
#include "languagemanager.h"
#include "linestylewidget.h"
#include "penbase.h"
#include "pencolourwidget.h"
#include "penwidthwidget.h"
#include "selectionmanager.h"
#include "textweightandstylewidget.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPointer>
#include <QToolButton>
#include <QVBoxLayout>

typedef QList<PenUtil::ELineStyle> TStyles;
Q_DECLARE_METATYPE(TStyles)

namespace {
const QString c_strPen = QStringLiteral("normal;#FF000000");
}

class tst_Editors : public QObject
{
    Q_OBJECT

    CEditorHost m_host;
    // Two text boxes on the page, which the editors of selected components work on.
    QList<boost::shared_ptr<CComponent>> m_boxes;

    template <class TControl>
    static TControl* control(const boost::shared_ptr<CAbstractPropertyEditor>& pEditor)
    {
        return pEditor->widget()->findChild<TControl*>();
    }
    // The same value on the tool and on both text boxes, which are selected if asked.
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
        QApplication::setLayoutDirection(Qt::LeftToRight);
    }

    void everyEditorLivesFromPrototypeToDetachedClone_data()
    {
        QTest::addColumn<QString>("property");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QStringList>("related");
        QTest::newRow("text colour") << "textpen.fontcolor"
                                     << "Text Colour" << QStringList{"string"};
        QTest::newRow("line colour") << "textpen.linecolor"
                                     << "Line Colour" << QStringList();
        QTest::newRow("fill colour") << "textpen.fillcolor"
                                     << "Fill Colour" << QStringList();
        QTest::newRow("show alternatives") << "showcandidates"
                                           << "Show alternatives" << QStringList();
        QTest::newRow("overwrite text") << "overwritetextbox"
                                        << "Overwrite text" << QStringList();
        QTest::newRow("font family") << "textpen.fontfamily"
                                     << "Font Family" << QStringList();
        QTest::newRow("weight and style") << "textpen.bold"
                                          << "Weight/Style" << QStringList{"string"};
        QTest::newRow("line width") << "textpen.linewidth"
                                    << "Line Width" << QStringList{"textpen.linecolor"};
        QTest::newRow("line style") << "textpen.linestyle"
                                    << "Line Style" << QStringList{"textpen.linecolor", "locked"};
    }
    void everyEditorLivesFromPrototypeToDetachedClone()
    {
        QFETCH(QString, property);
        QFETCH(QString, label);
        QFETCH(QStringList, related);
        CAbstractPropertyEditor* pPrototype = nullptr;
        for (const auto& pRegistered : COrrery::getPropertyEditorManager()->prototypes())
            if (pRegistered->property() == property)
                pPrototype = pRegistered.get();
        QVERIFY(pPrototype);
        QCOMPARE(pPrototype->untranslatedPropertyName(), label);
        QCOMPARE(pPrototype->widget(), nullptr);
        pPrototype->setValue(property, QVariant());

        // The host asks for the editor by any of its properties.
        auto pFirst = CEditorHost::editor(pPrototype->properties().last(), 5);
        auto pSecond =
            pPrototype->clone(COrrery::getPropertyEditorManager(), CAbstractPropertyEditor::eToolContext);
        QVERIFY(pFirst && pSecond);
        QCOMPARE(pFirst->metaObject(), pPrototype->metaObject());
        QCOMPARE(pFirst->properties(), pPrototype->properties());
        QCOMPARE(pFirst->untranslatedPropertyName(), label);
        QCOMPARE(int(pFirst->context()), 5);
        QCOMPARE(pFirst->relatedProperties(), related);
        QPointer<QWidget> pFirstWidget = pFirst->widget();
        QPointer<QWidget> pSecondWidget = pSecond->widget();
        QVERIFY(pFirstWidget && pSecondWidget && pFirstWidget != pSecondWidget);
        QCOMPARE(pFirstWidget->parent(), nullptr);
        QCOMPARE(pPrototype->widget(), nullptr);

        // The host decides whether the widget may be used, each time a value is shown.
        pSecondWidget->setEnabled(false);
        pSecond->setValue(property, QVariant());
        QVERIFY(pSecondWidget->isEnabled());
        COrrery::getToolManager()->deactivate();
        pSecond->setValue(property, QVariant());
        QVERIFY(!pSecondWidget->isEnabled());

        // The surface keeps the widget it shows once the editor lets go of it.
        auto pSurface = std::make_unique<QWidget>();
        (new QVBoxLayout(pSurface.get()))->addWidget(pFirstWidget);
        QObject holder;
        pFirst->setParent(&holder);
        pFirst->detatch();
        QCOMPARE(pFirst->widget(), nullptr);
        QCOMPARE(pFirst->parent(), nullptr);
        pFirst->setValue(property, QVariant());
        CLanguageManager().setLanguage(QStringLiteral("ar_EG"));
        QCOMPARE(CEditorHost::applied(), QStringList());
        pFirst.reset();
        QCOMPARE(pFirstWidget->parentWidget(), pSurface.get());
        pSurface.reset();
        QVERIFY(!pFirstWidget);
        pSecond.reset();
        QVERIFY(!pSecondWidget);
    }

    void theTextColourShownIsTheHostsOrNone_data()
    {
        QTest::addColumn<QVariant>("held");
        QTest::addColumn<QColor>("shown");
        QTest::newRow("colour") << QVariant(QColor(Qt::red)) << QColor(Qt::red);
        QTest::newRow("colour name in a string") << QVariant("#00ff00") << QColor(Qt::green);
        QTest::newRow("string naming no colour") << QVariant("nonsense") << QColor();
        QTest::newRow("number") << QVariant(5) << QColor();
        QTest::newRow("no single value") << QVariant() << QColor();
    }
    void theTextColourShownIsTheHostsOrNone()
    {
        QFETCH(QVariant, held);
        QFETCH(QColor, shown);
        const auto pEditor = CEditorHost::editor("textpen.fontcolor", 5);
        CColorSelect* pBox = control<CColorSelect>(pEditor);
        CEditorHost::tool()->setToolProperty("textpen.fontcolor", held);
        // Twice, with a value of the caller's own: only the host's counts, and is shown once.
        pEditor->setValue("textpen.fontcolor", QColor(Qt::blue));
        pEditor->setValue("textpen.fontcolor", QColor(Qt::blue));
        int iMixed = 0;
        for (int i = 0; i < pBox->count(); ++i)
            iMixed += pBox->itemData(i) == QStringLiteral("multiple");
        QCOMPARE(iMixed, shown.isValid() ? 0 : 1);
        QCOMPARE(pBox->currentIndex(),
                 pBox->findData(shown.isValid() ? CPenBase::encodeColor(shown) : QStringLiteral("multiple")));
        QVERIFY(shown.isValid() || (pBox->currentIndex() == 0 && pBox->currentText().isEmpty()));

        CEditorHost::tool()->setToolProperty("textpen.fontcolor", QColor(Qt::black));
        pEditor->setValue(QString(), QVariant());
        QCOMPARE(pBox->findData(QStringLiteral("multiple")), -1);
        QCOMPARE(pBox->currentColor(), QColor(Qt::black));
        QCOMPARE(CEditorHost::applied(), QStringList());
    }

    void theOutlineShownIsTheToolsOwn_data()
    {
        QTest::addColumn<int>("context");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QVariant>("held");
        QTest::addColumn<QString>("shown");
        const QString strLine = QStringLiteral("textpen.linecolor");
        QTest::newRow("panel") << 1 << strLine << QVariant("normal;#FF0000FF") << "normal;#FF0000FF";
        QTest::newRow("context bar") << 5 << strLine << QVariant("normal;#FF0000FF") << "normal;#FF0000FF";
        QTest::newRow("no pen") << 1 << strLine << QVariant("null;") << "null;";
        QTest::newRow("no single value") << 1 << strLine << QVariant() << "";
        QTest::newRow("a colour, not a pen") << 1 << strLine << QVariant(QColor(Qt::red)) << "";
        QTest::newRow("a number") << 1 << strLine << QVariant(5) << "";
        QTest::newRow("another name") << 1 << "textpen.fillcolor" << QVariant("normal;#FF0000FF") << "";
        QTest::newRow("not the tool's") << 8 << strLine << QVariant("normal;#FF0000FF") << "";
    }
    void theOutlineShownIsTheToolsOwn()
    {
        QFETCH(int, context);
        QFETCH(QString, name);
        QFETCH(QVariant, held);
        QFETCH(QString, shown);
        const auto pEditor = CEditorHost::editor("textpen.linecolor", context);
        CPencolourWidget* pChooser = control<CPencolourWidget>(pEditor);
        CEditorHost::tool()->setToolProperty("textpen.linecolor", held);
        pEditor->setValue(name, QVariant("normal;#FF00FF00"));
        QCOMPARE(pChooser->currentDescription(), shown);
        // Where the tool's own outline is shown, it may be switched off as well.
        QCOMPARE(pChooser->shadeDescriptions().contains("null;"),
                 (context & 1) && name == "textpen.linecolor");
        QCOMPARE(CEditorHost::applied(), QStringList());
    }

    void aPickedOutlineSetsTheStyleItsPenNeeds_data()
    {
        QTest::addColumn<int>("context");
        QTest::addColumn<QString>("pen");
        QTest::addColumn<QString>("applied");
        QTest::addColumn<int>("style");
        const QString strOne = QStringLiteral("applyPropertyValue textpen.linecolor=%1 (1, 0)");
        const QString strBoth =
            QStringLiteral("applyPropertyValues textpen.linecolor=%1, textpen.linestyle=1 (1, 0)");
        QTest::newRow("normal") << 1 << "normal;#FF0000FF" << strOne << 3;
        QTest::newRow("normal, bar only") << 4 << "normal;#FF0000FF" << strOne << 3;
        QTest::newRow("no pen") << 1 << "null;" << strOne << 3;
        for (const char* szType : {"edge", "shadow", "texture", "tube"})
            QTest::addRow("%s", szType) << 1 << QString::fromLatin1(szType) + ";#FF112233" << strBoth << 1;
        QTest::newRow("case-sensitive") << 1 << "Shadow;#FF112233" << strOne << 3;
    }
    void aPickedOutlineSetsTheStyleItsPenNeeds()
    {
        QFETCH(int, context);
        QFETCH(QString, pen);
        QFETCH(QString, applied);
        QFETCH(int, style);
        CEditorHost::tool()->setToolProperty("textpen.linestyle", 3);
        CEditorHost::tool()->setToolProperty("textpen.linecolor", pen);
        const auto pEditor = CEditorHost::editor("textpen.linecolor", context);
        QVERIFY(shown(pEditor->widget()));
        // Pens the chooser does not offer (and no pen) become pickable once shown, as on the board.
        pEditor->setValue("textpen.linecolor", QVariant());
        CPencolourWidget* pChooser = control<CPencolourWidget>(pEditor);
        QTest::mouseClick(pChooser->shadeButton(pen), Qt::LeftButton);
        QCOMPARE(CEditorHost::applied(), QStringList() << "CAbstractPropertyEditor::" + applied.arg(pen));
        QCOMPARE(CEditorHost::tool()->getToolProperty("textpen.linecolor"), QVariant(pen));
        QCOMPARE(CEditorHost::tool()->getToolProperty("textpen.linestyle"), QVariant(style));
        QCOMPARE(pChooser->currentDescription(), pen);
        QCOMPARE(pChooser->shadeDescriptions().contains("null;"), context == 1);
    }

    void theFillShownIsTheShadeItsAlphaMakes_data()
    {
        QTest::addColumn<QVariant>("held");
        QTest::addColumn<QString>("shown");
        QTest::newRow("fully transparent") << QVariant(QColor(255, 255, 255, 0)) << "null;#00FFFFFF";
        QTest::newRow("opaque") << QVariant(QColor(Qt::red)) << "normal;#FFFF0000";
        QTest::newRow("see-through") << QVariant(QColor(255, 0, 0, 128)) << "highlighter;#80FF0000";
        QTest::newRow("colour name in a string") << QVariant("#ff0000ff") << "normal;#FF0000FF";
        QTest::newRow("string naming no colour") << QVariant("nonsense") << "";
        QTest::newRow("number") << QVariant(7) << "";
        QTest::newRow("no single value") << QVariant() << "";
    }
    void theFillShownIsTheShadeItsAlphaMakes()
    {
        QFETCH(QVariant, held);
        QFETCH(QString, shown);
        const auto pEditor = CEditorHost::editor("textpen.fillcolor", 1);
        CEditorHost::tool()->setToolProperty("textpen.fillcolor", held);
        pEditor->setValue("textpen.linecolor", QColor(Qt::blue));
        QCOMPARE(control<CFillcolourWidget>(pEditor)->currentDescription(), shown);
        QCOMPARE(CEditorHost::applied(), QStringList());
    }

    void aPickedFillIsStoredAsItsColour_data()
    {
        QTest::addColumn<QString>("shade");
        QTest::addColumn<QColor>("stored");
        QTest::newRow("opaque") << "normal;#FFFF0000" << QColor(Qt::red);
        QTest::newRow("see-through") << "highlighter;#80FFFF00" << QColor(255, 255, 0, 128);
        QTest::newRow("no fill") << "null;#00FFFFFF" << QColor(255, 255, 255, 0);
    }
    void aPickedFillIsStoredAsItsColour()
    {
        QFETCH(QString, shade);
        QFETCH(QColor, stored);
        const auto pEditor = CEditorHost::editor("textpen.fillcolor", 5);
        QVERIFY(shown(pEditor->widget()));
        QTest::mouseClick(control<CFillcolourWidget>(pEditor)->shadeButton(shade), Qt::LeftButton);
        QCOMPARE(CEditorHost::applied(),
                 CEditorHost::applied("textpen.fillcolor=" + CPenBase::encodeColor(stored), "(1, 0)"));
        QCOMPARE(CEditorHost::tool()->getToolProperty("textpen.fillcolor"), QVariant(stored));
    }

    void aClickOnTheShownValueBecomesTheNewValue_data()
    {
        QTest::addColumn<QString>("property");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<int>("state");
        QTest::addColumn<QString>("applied");
        for (const char* szName : {"showcandidates", "overwritetextbox"}) {
            const QString strName = QString::fromLatin1(szName);
            QTest::addRow("%s on", szName) << strName << QVariant(true) << 2 << "false";
            QTest::addRow("%s off", szName) << strName << QVariant(false) << 0 << "true";
            QTest::addRow("%s no single value", szName) << strName << QVariant() << 1 << "true";
            QTest::addRow("%s number", szName) << strName << QVariant(2) << 2 << "false";
        }
    }
    void aClickOnTheShownValueBecomesTheNewValue()
    {
        QFETCH(QString, property);
        QFETCH(QVariant, value);
        QFETCH(int, state);
        QFETCH(QString, applied);
        const auto pEditor = CEditorHost::editor(property, 1);
        QVERIFY(shown(pEditor->widget()));
        QSignalSpy changed(control<QCheckBox>(pEditor), &QCheckBox::stateChanged);
        pEditor->setValue(property, value);
        pEditor->setValue(QStringLiteral("textpen.bold"), QVariant(state != Qt::Checked));
        QCOMPARE(int(control<QCheckBox>(pEditor)->checkState()), state);
        QCOMPARE(control<QCheckBox>(pEditor)->isTristate(), state == Qt::PartiallyChecked);
        // The box changed, yet nothing went back.
        QCOMPARE(changed.count(), state == Qt::Unchecked ? 0 : 1);
        QCOMPARE(CEditorHost::applied(), QStringList());

        QTest::mouseClick(control<QCheckBox>(pEditor), Qt::LeftButton);
        QCOMPARE(CEditorHost::applied(), CEditorHost::applied(property + "=" + applied));
        QCOMPARE(CEditorHost::tool()->getToolProperty(property), QVariant(applied == "true"));
    }

    void theTextsAndDirectionsFollowTheLanguageAsEachShould()
    {
        const auto pOverwrite = CEditorHost::editor("overwritetextbox", 1);
        const auto pAlternatives = CEditorHost::editor("showcandidates", 1);
        QCOMPARE(control<QCheckBox>(pOverwrite)->text(), QString());
        QCOMPARE(pOverwrite->widget()->findChild<QLabel*>()->text(), QStringLiteral("Overwrite text"));
        QCOMPARE(control<QCheckBox>(pAlternatives)->text(), QStringLiteral("Show alternatives"));

        CLanguageManager().setLanguage(QStringLiteral("he_IL"));
        QCOMPARE(control<QCheckBox>(pOverwrite)->layoutDirection(), Qt::RightToLeft);
        // The show-alternatives widget does not follow by itself; the host tells it through its slot.
        QCOMPARE(pAlternatives->widget()->layoutDirection(), Qt::RightToLeft);
        // Showing a value lays the overwrite box out in the application's direction again.
        emit CControlSignalSource::get()->signalLanguageChanged(QStringLiteral("en_GB"), false);
        QCOMPARE(control<QCheckBox>(pOverwrite)->layoutDirection(), Qt::LeftToRight);
        pOverwrite->setValue("overwritetextbox", true);
        QCOMPARE(control<QCheckBox>(pOverwrite)->layoutDirection(), Qt::RightToLeft);
        // A new show-alternatives editor takes the direction of the language in use.
        QCOMPARE(CEditorHost::editor("showcandidates", 1)->widget()->layoutDirection(), Qt::RightToLeft);
    }

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
        const auto pEditor = CEditorHost::editor("textpen.fontfamily", 1);
        CFontComboBox* pBox = control<CFontComboBox>(pEditor);
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
        const auto pEditor = CEditorHost::editor("textpen.fontfamily", 5);
        CFontComboBox* pBox = control<CFontComboBox>(pEditor);
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
        const auto pEditor = CEditorHost::editor("textpen.bold", 5);
        auto* pSwitches = control<CTextWeightAndStyleWidget>(pEditor);
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
        const auto pEditor = CEditorHost::editor("textpen.bold", 5);
        for (int i = 0; i < 3; ++i)
            m_host.set(pEditor->properties().at(i), bool(flags & (1 << i)));
        pEditor->setValue("textpen.bold", QVariant());
        QVERIFY(shown(pEditor->widget()));
        auto* pSwitches = control<CTextWeightAndStyleWidget>(pEditor);
        QTest::mouseClick(pSwitches->button(clicked), Qt::LeftButton);
        QCOMPARE(int(pSwitches->weightAndStyle()), after);
        const bool bOn = after > flags;
        QCOMPARE(m_host.applied(), m_host.applied("textpen." + clicked + (bOn ? "=true" : "=false")));
        const QVariant stored = m_host.tool()->getToolProperty("textpen." + clicked);
        QCOMPARE(stored.userType(), int(QMetaType::Bool));
        QCOMPARE(stored.toBool(), bOn);
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
        const auto pEditor = CEditorHost::editor("textpen.linewidth", context);
        auto* pBox = control<CPenWidthWidget>(pEditor);
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
        const auto pEditor = CEditorHost::editor(style ? "textpen.linestyle" : "textpen.linewidth", context);
        auto* pBox = control<QComboBox>(pEditor);
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
        const auto pEditor = CEditorHost::editor("textpen.linestyle", context);
        auto* pBox = control<CLineStyleWidget>(pEditor);
        pEditor->setValue(name, value);
        QCOMPARE(pBox->offeredStyles(), offered);
        QCOMPARE(pBox->lineStyle(), shown);
        QVERIFY(m_host.applied().isEmpty());
    }

    // The host's style box sorts out what an outline's pen offers: each style once, in the
    // enumeration's order, and no code the enumeration does not name.
    void theStyleBoxOffersOnlyTheStylesItIsGiven()
    {
        using namespace PenUtil;
        CLineStyleWidget box;
        QVERIFY(shown(&box));
        QSignalSpy chosen(&box, &CLineStyleWidget::signalLineStyleChanged);
        box.setLineStyle(QVariant(1), {eLineStyleDot, eLineStyleSolid, eLineStyleDot, ELineStyle(9)});
        QCOMPARE(box.offeredStyles(), TStyles({eLineStyleSolid, eLineStyleDot}));
        QCOMPARE(box.lineStyle(), QVariant(1));
        QCOMPARE(chosen.count(), 0);
        pickFromList(&box, 1);
        QCOMPARE(chosen.count(), 1);
        QCOMPARE(chosen.at(0).at(0).value<ELineStyle>(), eLineStyleDot);
    }
};

QTEST_MAIN(tst_Editors)
#include "tst_editors.moc"
