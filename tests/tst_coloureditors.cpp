// The colour editors of the text pen as a user meets them: each shows the colour the host holds, shows
// "no single colour" for anything else, sends nothing back while showing, and hands the colour the
// user picks on the host's chooser back to the host under the right name with the right policies.
#include "colorselect.h"
#include "editorhost.h"

#include <QAbstractItemView>

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
};

QTEST_MAIN(tst_ColourEditors)
#include "tst_coloureditors.moc"
