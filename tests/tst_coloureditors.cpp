// The colour editors of the text pen as a user meets them: each shows what the host holds (nothing
// for what names no colour), sends nothing back while showing, and hands what the user picks on the
// host's chooser back under the right names with the right policies.
#include "colorselect.h"
#include "editorhost.h"
#include "fillcolourwidget.h"
#include "penbase.h"
#include "pencolourwidget.h"

#include <QAbstractButton>

class tst_ColourEditors : public QObject
{
    Q_OBJECT

    CEditorHost m_host;

    template <class TControl>
    static TControl* control(const boost::shared_ptr<CAbstractPropertyEditor>& pEditor)
    {
        return pEditor->widget()->findChild<TControl*>();
    }

private slots:
    void init() { m_host.start(); }
    void cleanup() { m_host.stop(); }

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

    void aPickedTextColourGoesToTheTool()
    {
        const auto pEditor = CEditorHost::editor("textpen.fontcolor", 5);
        QVERIFY(shown(pEditor->widget()));
        CColorSelect* pBox = control<CColorSelect>(pEditor);
        pickFromList(pBox, pBox->findData("#FFFF0000"));
        QCOMPARE(CEditorHost::applied(), CEditorHost::applied("textpen.fontcolor=#FFFF0000"));
        QCOMPARE(CEditorHost::tool()->getToolProperty("textpen.fontcolor"), QVariant(QColor(Qt::red)));
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
};

QTEST_MAIN(tst_ColourEditors)
#include "tst_coloureditors.moc"
