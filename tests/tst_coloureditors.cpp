// The colour editors of the text pen as a user meets them: each shows the colour the host holds, shows
// "no single colour" for anything else, sends nothing back while showing, and hands the colour the
// user picks on the host's chooser back to the host under the right name with the right policies.
#include "colorselect.h"
#include "editorhost.h"
#include "fillcolourwidget.h"
#include "penbase.h"
#include "pencolourwidget.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QLabel>

namespace {

const QString c_strMultiple = QStringLiteral("multiple");

// Opens the list, moves the highlight to the entry and presses Return, as a keyboard user would.
void pickFromList(QComboBox* pBox, int iIndex)
{
    pBox->showPopup();
    QAbstractItemView* pView = pBox->view();
    pView->setCurrentIndex(pView->model()->index(iIndex, pBox->modelColumn()));
    QTest::keyClick(pView, Qt::Key_Return);
}

} // namespace

class tst_ColourEditors : public QObject
{
    Q_OBJECT

    CEditorHost m_host;

private slots:
    void init() { m_host.start(); }
    void cleanup() { m_host.stop(); }

    void theTextColourShownIsTheHostsOrNone_data()
    {
        QTest::addColumn<QVariant>("held");
        QTest::addColumn<QColor>("shown");
        QTest::newRow("colour") << QVariant(QColor(Qt::red)) << QColor(Qt::red);
        QTest::newRow("colour name in a string") << QVariant("#00ff00") << QColor(Qt::green);
        QTest::newRow("string that names no colour") << QVariant("nonsense") << QColor();
        QTest::newRow("number") << QVariant(5) << QColor();
        QTest::newRow("no single value") << QVariant() << QColor();
    }
    void theTextColourShownIsTheHostsOrNone()
    {
        QFETCH(QVariant, held);
        QFETCH(QColor, shown);
        const auto pEditor = CEditorHost::editor("textpen.fontcolor", 5);
        CColorSelect* pBox = pEditor->widget()->findChild<CColorSelect*>();
        QVERIFY(pBox);
        QSignalSpy picked(pBox, &CColorSelect::signalTypeAndColourSelected);
        CEditorHost::tool()->setToolProperty("textpen.fontcolor", held);
        const int iEntries = pBox->count();

        // Shown twice with a value of the caller's own: only the host's counts, and it is shown once.
        pEditor->setValue("textpen.fontcolor", QColor(Qt::blue));
        pEditor->setValue("textpen.fontcolor", QColor(Qt::blue));
        if (shown.isValid()) {
            QCOMPARE(pBox->currentColor(), shown);
            QCOMPARE(pBox->findData(c_strMultiple), -1);
        } else {
            QCOMPARE(pBox->findData(c_strMultiple), 0);
            QCOMPARE(pBox->currentIndex(), 0);
            QCOMPARE(pBox->itemText(0), QString());
            QCOMPARE(pBox->count(), iEntries + 1);
        }
        QVERIFY(pEditor->widget()->isEnabled());

        CEditorHost::tool()->setToolProperty("textpen.fontcolor", QColor(Qt::black));
        pEditor->setValue(QString(), QVariant());
        QCOMPARE(pBox->findData(c_strMultiple), -1);
        QCOMPARE(pBox->currentColor(), QColor(Qt::black));
        QCOMPARE(picked.count(), 0);
        QCOMPARE(CEditorHost::applied(), QStringList());
    }

    void aPickedTextColourGoesToTheTool()
    {
        const auto pEditor = CEditorHost::editor("textpen.fontcolor", 5);
        CEditorHost::show(pEditor->widget());
        CColorSelect* pBox = pEditor->widget()->findChild<CColorSelect*>();
        pickFromList(pBox, pBox->findData("#FFFF0000"));
        QCOMPARE(CEditorHost::applied(),
                 QStringList()
                     << "CAbstractPropertyEditor::applyPropertyValue textpen.fontcolor=#FFFF0000 (0, 0)");
        QCOMPARE(CEditorHost::tool()->getToolProperty("textpen.fontcolor"), QVariant(QColor(Qt::red)));

        COrrery::getToolManager()->deactivate();
        pEditor->setValue("textpen.fontcolor", QVariant());
        QVERIFY(!pEditor->widget()->isEnabled());
    }

    void theOutlineShownIsTheToolsOwn_data()
    {
        QTest::addColumn<int>("context");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QVariant>("held");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<bool>("noneOffered");
        const QString strLine = QStringLiteral("textpen.linecolor");
        QTest::newRow("panel") << 1 << strLine << QVariant("normal;#FF0000FF") << "normal;#FF0000FF" << true;
        QTest::newRow("context bar") << 5 << strLine << QVariant("normal;#FF0000FF") << "normal;#FF0000FF"
                                     << true;
        QTest::newRow("no pen") << 1 << strLine << QVariant("null;") << "null;" << true;
        QTest::newRow("no single value") << 1 << strLine << QVariant() << "" << true;
        QTest::newRow("a colour, not a pen")
            << 1 << strLine << QVariant(QColor(Qt::red)) << "#ff0000" << true;
        QTest::newRow("another property")
            << 1 << "textpen.fillcolor" << QVariant("normal;#FF0000FF") << "" << false;
        QTest::newRow("selection, not the tool")
            << 8 << strLine << QVariant("normal;#FF0000FF") << "" << false;
    }
    void theOutlineShownIsTheToolsOwn()
    {
        QFETCH(int, context);
        QFETCH(QString, name);
        QFETCH(QVariant, held);
        QFETCH(QString, shown);
        QFETCH(bool, noneOffered);
        const auto pEditor = CEditorHost::editor("textpen.linecolor", context);
        CPencolourWidget* pChooser = pEditor->widget()->findChild<CPencolourWidget*>();
        QSignalSpy picked(pChooser, &CPencolourWidget::signalTypeAndColourSelected);
        CEditorHost::tool()->setToolProperty("textpen.linecolor", held);
        pEditor->setValue(name, QVariant("normal;#FF00FF00"));
        QCOMPARE(pChooser->currentDescription(), shown);
        QCOMPARE(pChooser->shadeDescriptions().contains("null;"), noneOffered);
        QVERIFY(pEditor->widget()->isEnabled());
        QCOMPARE(picked.count(), 0);
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
        QTest::newRow("normal in the bar only") << 4 << "normal;#FF0000FF" << strOne << 3;
        QTest::newRow("no pen") << 1 << "null;" << strOne << 3;
        for (const char* szType : {"edge", "shadow", "texture", "tube"})
            QTest::addRow("%s", szType) << 1 << QString::fromLatin1(szType) + ";#FF112233" << strBoth << 1;
        QTest::newRow("types are case-sensitive") << 1 << "Shadow;#FF112233" << strOne << 3;
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
        CEditorHost::show(pEditor->widget());
        CPencolourWidget* pChooser = pEditor->widget()->findChild<CPencolourWidget*>();
        // Pens the chooser does not offer (and no pen) become pickable once shown, as on the board.
        pEditor->setValue("textpen.linecolor", QVariant());
        QTest::mouseClick(pChooser->shadeButton(pen), Qt::LeftButton);

        QCOMPARE(CEditorHost::applied(), QStringList() << "CAbstractPropertyEditor::" + applied.arg(pen));
        QCOMPARE(CEditorHost::tool()->getToolProperty("textpen.linecolor"), QVariant(pen));
        QCOMPARE(CEditorHost::tool()->getToolProperty("textpen.linestyle"), QVariant(style));
        QCOMPARE(pChooser->currentDescription(), pen);
        QCOMPARE(pChooser->shadeDescriptions().contains("null;"), context == 1);
    }

    void theFillShownIsTheKindOfShadeItsAlphaMakes_data()
    {
        QTest::addColumn<QVariant>("held");
        QTest::addColumn<QString>("shown");
        QTest::newRow("fully transparent") << QVariant(QColor(255, 255, 255, 0)) << "null;#00FFFFFF";
        QTest::newRow("opaque") << QVariant(QColor(Qt::red)) << "normal;#FFFF0000";
        QTest::newRow("see-through") << QVariant(QColor(255, 0, 0, 128)) << "highlighter;#80FF0000";
        QTest::newRow("colour name in a string") << QVariant("#ff0000ff") << "normal;#FF0000FF";
        QTest::newRow("string that names no colour") << QVariant("nonsense") << "";
        QTest::newRow("number") << QVariant(7) << "";
        QTest::newRow("no single value") << QVariant() << "";
    }
    void theFillShownIsTheKindOfShadeItsAlphaMakes()
    {
        QFETCH(QVariant, held);
        QFETCH(QString, shown);
        const auto pEditor = CEditorHost::editor("textpen.fillcolor", 1);
        CFillcolourWidget* pChooser = pEditor->widget()->findChild<CFillcolourWidget*>();
        QSignalSpy picked(pChooser, &CFillcolourWidget::signalTypeAndColourSelected);
        CEditorHost::tool()->setToolProperty("textpen.fillcolor", held);
        pEditor->setValue("textpen.linecolor", QColor(Qt::blue));
        QCOMPARE(pChooser->currentDescription(), shown);
        QCOMPARE(picked.count(), 0);
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
        CEditorHost::show(pEditor->widget());
        QTest::mouseClick(pEditor->widget()->findChild<CFillcolourWidget*>()->shadeButton(shade),
                          Qt::LeftButton);
        QCOMPARE(CEditorHost::applied(),
                 QStringList() << "CAbstractPropertyEditor::applyPropertyValue textpen.fillcolor=" +
                                      CPenBase::encodeColor(stored) + " (1, 0)");
        QCOMPARE(CEditorHost::tool()->getToolProperty("textpen.fillcolor"), QVariant(stored));
    }

    void theChooserIsLabelledOutsideTheContextBar_data()
    {
        QTest::addColumn<QString>("property");
        QTest::addColumn<int>("context");
        QTest::addColumn<QString>("label");
        QTest::newRow("line colour, panel") << "textpen.linecolor" << 1 << "Line Colour";
        QTest::newRow("line colour, context bar") << "textpen.linecolor" << 5 << "";
        QTest::newRow("fill colour, panel") << "textpen.fillcolor" << 1 << "Fill Colour";
        QTest::newRow("fill colour, context bar") << "textpen.fillcolor" << 5 << "";
    }
    void theChooserIsLabelledOutsideTheContextBar()
    {
        QFETCH(QString, property);
        QFETCH(int, context);
        QFETCH(QString, label);
        const auto pEditor = CEditorHost::editor(property, context);
        const QLabel* pLabel = pEditor->widget()->findChild<QLabel*>();
        QCOMPARE(pLabel ? pLabel->text() : QString(), label);
        QVERIFY(QMetaObject::invokeMethod(pEditor.get(), "slotLanguageChanged", Q_ARG(QString, "de_DE"),
                                          Q_ARG(bool, false)));
        QCOMPARE(pLabel ? pLabel->text() : QString(), label);
        QCOMPARE(pEditor->widget()->minimumSize(), pEditor->widget()->sizeHint());
        QCOMPARE(pEditor->widget()->maximumSize(), pEditor->widget()->sizeHint());
    }
};

QTEST_MAIN(tst_ColourEditors)
#include "tst_coloureditors.moc"
