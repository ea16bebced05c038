// The whole way a teacher uses the text pen: the plug-in loaded by the app's loader, the pen picked
// from its menu entry beside the laser pen, words written with the mouse on the board, and a colour picked in
// the pen's context bar that the next text box is written in.
#include "apphost.h"
#include "colorselect.h"
#include "component.h"
#include "contextbarinterface.h"
#include "contextbarmanager.h"
#include "controllayer.h"
#include "pentool.h"
#include "recognizermanager.h"
#include "toolmanager.h"
#include "userinput.h"

#include <QUndoStack>
#include <QtTest>

namespace {

const QString c_strTextPen = QStringLiteral("textpenplugin.handtext");

// The text boxes on the board whose text is strText.
QList<CComponent*> boxesReading(const QString& strText)
{
    QList<CComponent*> boxes;
    for (CComponent* pComponent : CBoardHost::page()->components())
        if (pComponent->getPropertyValue(QStringLiteral("string")).toString() == strText)
            boxes.append(pComponent);
    return boxes;
}

} // namespace

class tst_EndToEnd : public QObject
{
    Q_OBJECT

private:
    // Writes a zig-zag word with the mouse inside rect of the board's viewport and lets the pen hand
    // it on at once rather than after the writing pause.
    static bool writeWithMouse(CMainWindow* pWindow, const QRect& rect)
    {
        drawZigZagWord(pWindow->board()->viewport(), rect);
        auto* pPen = dynamic_cast<CPenTool*>(COrrery::getToolManager()->getActiveTool());
        if (!pPen || !pPen->currentScribble())
            return false;
        pPen->finishWriting();
        return true;
    }

private slots:
    void init() { m_app.start(); }
    void cleanup() { m_app.stop(); }

    void aColourPickedInTheContextBarWritesTheNextTextBox()
    {
        CMainWindow* pWindow = m_app.window().get();
        CScriptedRecognizer* pRecognizer = m_app.recognizer();
        pWindow->resize(1200, 800);

        // The entry sits right after the laser pen, with the pen's icon, greyed out while nothing can
        // read the writing.
        QAction* pEntry = m_app.textPenEntry();
        QVERIFY(pEntry && pEntry->isEnabled());
        const QList<QAction*> entries = pWindow->toolsMenu()->actions();
        QCOMPARE(entries.value(entries.indexOf(pEntry) - 1)->objectName(), QStringLiteral("tool.laserpen"));
        QCOMPARE(pEntry->icon().pixmap(32, 32).toImage(),
                 QImage(QStringLiteral(":/textpenplugin.text_pen.png"))
                     .convertToFormat(QImage::Format_ARGB32_Premultiplied));
        COrrery::getRecognizerManager()->setActiveRecognizer(QString());
        QVERIFY(pEntry->isVisible() && !pEntry->isEnabled());
        COrrery::getRecognizerManager()->setActiveRecognizer(pRecognizer->getName());
        pEntry->trigger();
        QCOMPARE(COrrery::getToolManager()->getActiveTool()->getName(), c_strTextPen);

        const QStringList bars = COrrery::getContextbarManager()->getContextbarNames();
        QCOMPARE(bars.size(), 1);
        CContextbarInterface* pBar = COrrery::getContextbarManager()->getContextbar(bars.first());
        QVERIFY(pBar->isToolSelected());
        QTRY_VERIFY(pBar->isVisible());
        QCOMPARE(pWindow->toolBarArea(pBar), Qt::BottomToolBarArea);

        pRecognizer->enqueue({QStringLiteral("hello"), QStringLiteral("hallo")});
        QVERIFY(writeWithMouse(pWindow, QRect(100, 100, 180, 50)));
        const QList<CComponent*> first = boxesReading(QStringLiteral("hello"));
        QCOMPARE(first.size(), 1);
        QCOMPARE(first.first()->getPropertyValue(QStringLiteral("fontcolor")).value<QColor>(),
                 QColor(Qt::black));
        // The pen saw the strokes drawn on the viewport.
        QCOMPARE(pRecognizer->received().size(), 1);
        QCOMPARE(pRecognizer->received().first().size(), 3);

        const QList<CColorSelect*> colourBoxes = pBar->findChildren<CColorSelect*>();
        QCOMPARE(colourBoxes.size(), 1);
        CColorSelect* pTextColour = colourBoxes.first();
        QVERIFY(pTextColour->isVisible());
        pickFromList(pTextColour, pTextColour->findData(QStringLiteral("#FFFF0000")));
        QCOMPARE(
            COrrery::getToolManager()->getActiveTool()->getToolProperty(QStringLiteral("textpen.fontcolor")),
            QVariant(QColor(Qt::red)));

        pRecognizer->enqueue({QStringLiteral("world")});
        QVERIFY(writeWithMouse(pWindow, QRect(100, 300, 180, 50)));
        const QList<CComponent*> second = boxesReading(QStringLiteral("world"));
        QCOMPARE(second.size(), 1);
        QCOMPARE(second.first()->getPropertyValue(QStringLiteral("fontcolor")).value<QColor>(),
                 QColor(Qt::red));
        // The colour is the pen's, not a change to what was already written.
        QCOMPARE(first.first()->getPropertyValue(QStringLiteral("fontcolor")).value<QColor>(),
                 QColor(Qt::black));

        // Each box is its own step back.
        QUndoStack* pUndo = CControlLayer::get()->undoStack();
        pUndo->undo();
        QVERIFY(boxesReading(QStringLiteral("world")).isEmpty());
        QCOMPARE(boxesReading(QStringLiteral("hello")).size(), 1);
    }

private:
    CPluginLoader m_loader;
    CAppHost m_app{m_loader};
};

QTEST_MAIN(tst_EndToEnd)
#include "tst_endtoend.moc"
