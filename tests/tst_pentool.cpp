// The pen-tool base as a pen tool and the writer see it: ink while writing, one hand-over per piece of
// writing after the pause, taps told apart from writing, view points mapped onto the board, and the
// ordinary pen turning each stroke into ink on the board.
#include "component.h"
#include "controllayer.h"
#include "guilayer.h"
#include "mouseeventpoint.h"
#include "normalpentool.h"
#include "orreryview.h"
#include "scribble.h"
#include "toolmanager.h"
#include "topic.h"
#include "workspace.h"

#include <QGraphicsPathItem>
#include <QScrollBar>
#include <QSettings>
#include <QTemporaryDir>
#include <QUndoStack>
#include <QtTest>
#include <boost/make_shared.hpp>

namespace {

typedef QVector<QVector<QPointF>> TStrokes;

// A pen tool that keeps what it is handed.
class CListeningPen : public CPenTool
{
public:
    CListeningPen() : CPenTool(QString(), QPoint(-1, -1)) { enablePenEvents(true); }
    QString getName() const override { return QStringLiteral("listening"); }
    void onTap(const CMouseEventPoint& point) override { m_taps.append(point); }
    void onPenInput(boost::shared_ptr<CScribble> pScribble) override
    {
        m_writings.append(pScribble->strokes());
    }

    QList<CMouseEventPoint> m_taps;
    QList<TStrokes> m_writings;
};

// The preview ink on the board: path items that are no components.
int previewInk(const QGraphicsScene* pScene)
{
    int iCount = 0;
    for (QGraphicsItem* pItem : pScene->items())
        iCount += pItem->type() == QGraphicsPathItem::Type && !COrreryView::componentOf(pItem) ? 1 : 0;
    return iCount;
}

} // namespace

class tst_PenTool : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    std::unique_ptr<COrreryView> m_pView;
    CListeningPen* m_pPen = nullptr;

    QWidget* viewport() const { return m_pView->viewport(); }
    // The last point comes with the release only, as it does when the pen lifts off quickly.
    void draw(const QVector<QPoint>& points)
    {
        QTest::mousePress(viewport(), Qt::LeftButton, Qt::NoModifier, points.first());
        for (const QPoint& point : points.mid(1, points.size() - 2)) {
            QMouseEvent move(QEvent::MouseMove, point, Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(viewport(), &move);
        }
        QTest::mouseRelease(viewport(), Qt::LeftButton, Qt::NoModifier, points.last());
    }

private slots:
    void init()
    {
        SHostOptions options;
        options.strSettingsFile = m_dir.filePath(QStringLiteral("settings.ini"));
        QFile::remove(options.strSettingsFile);
        CGUILayer::resetHost(options);
        COrrery::getUserSettings()->setValue(QStringLiteral("pen/writingpause"), 100);
        m_pView = std::make_unique<COrreryView>();
        m_pView->setFixedSize(800, 600);
        COrrery::setView(m_pView.get());
        m_pView->showTopic(COrrery::getWorkspace()->getCurrentTopic());
        auto pPen = boost::make_shared<CListeningPen>();
        m_pPen = pPen.get();
        QVERIFY(COrrery::getToolManager()->registerTool(pPen));
        QVERIFY(COrrery::getToolManager()->registerTool(boost::make_shared<CNormalPenTool>()));
        QVERIFY(COrrery::getToolManager()->activate(QStringLiteral("listening")));
    }
    void cleanup() { m_pView.reset(); }
    void cleanupTestCase() { CGUILayer::shutdownHost(); }

    void whatIsDrawnIsHandedOverOnceAfterThePause_data()
    {
        QTest::addColumn<QList<QVector<QPoint>>>("strokes");
        QTest::addColumn<int>("writings");
        QTest::addColumn<int>("taps");
        QTest::addColumn<int>("gapMs");
        const QVector<QPoint> line = {{100, 100}, {140, 120}, {180, 110}};
        const QVector<QPoint> touch = {{300, 300}};
        QTest::newRow("two strokes") << QList<QVector<QPoint>>{line, {{100, 150}, {180, 150}}} << 1 << 0 << 0;
        QTest::newRow("one line") << QList<QVector<QPoint>>{line} << 1 << 0 << 0;
        QTest::newRow("a touch") << QList<QVector<QPoint>>{touch} << 0 << 1 << 0;
        QTest::newRow("a small wiggle")
            << QList<QVector<QPoint>>{{{300, 300}, {304, 303}, {301, 305}}} << 0 << 1 << 0;
        QTest::newRow("two touches") << QList<QVector<QPoint>>{touch, {{304, 302}}} << 1 << 0 << 0;
        // Longer than the writing pause, yet within the wait that tells a tap from a first dot.
        QTest::newRow("a touch, then a line after a while")
            << QList<QVector<QPoint>>{touch, line} << 1 << 0 << CPenTool::c_iTapWindowMs - 100;
    }
    void whatIsDrawnIsHandedOverOnceAfterThePause()
    {
        QFETCH(QList<QVector<QPoint>>, strokes);
        QFETCH(int, writings);
        QFETCH(int, taps);
        QFETCH(int, gapMs);
        for (const QVector<QPoint>& stroke : strokes) {
            if (stroke != strokes.first())
                QTest::qWait(gapMs);
            draw(stroke);
        }
        QCOMPARE(previewInk(m_pView->scene()), strokes.size());
        QCOMPARE(m_pPen->m_writings.size() + m_pPen->m_taps.size(), 0);

        QTRY_COMPARE(m_pPen->m_writings.size() + m_pPen->m_taps.size(), 1);
        QCOMPARE(m_pPen->m_writings.size(), writings);
        QCOMPARE(m_pPen->m_taps.size(), taps);
        if (writings == 1) {
            QCOMPARE(m_pPen->m_writings.first().size(), strokes.size());
            QCOMPARE(m_pPen->m_writings.first().first().first(), QPointF(strokes.first().first()));
        } else {
            QCOMPARE(m_pPen->m_taps.first().pos(), strokes.first().first());
            QCOMPARE(m_pPen->m_taps.first().scenePos(), QPointF(strokes.first().first()));
        }
        QCOMPARE(previewInk(m_pView->scene()), 0);
        QVERIFY(!m_pPen->currentScribble());
        QCOMPARE(COrrery::getWorkspace()->getCurrentTopic()->componentCount(), 0);
    }

    void viewPointsAreMappedOntoTheBoard_data()
    {
        QTest::addColumn<double>("scale");
        QTest::addColumn<QPoint>("scroll");
        QTest::newRow("as shown") << 1.0 << QPoint(0, 0);
        QTest::newRow("zoomed in") << 2.0 << QPoint(0, 0);
        QTest::newRow("zoomed in and scrolled") << 2.0 << QPoint(300, 200);
    }
    void viewPointsAreMappedOntoTheBoard()
    {
        QFETCH(double, scale);
        QFETCH(QPoint, scroll);
        m_pView->scale(scale, scale);
        m_pView->horizontalScrollBar()->setValue(scroll.x());
        m_pView->verticalScrollBar()->setValue(scroll.y());
        CScribble scribble;
        scribble.beginStroke(QPointF(10.5, 20.25), 0);
        scribble.addPoint(QPointF(60.0, 41.0), 10);
        TStrokes strokes;
        const QPointF topLeft = m_pPen->viewScribbleToItemScribble(scribble, strokes);
        const auto onBoard = [&](double dX, double dY) {
            return QPointF(dX + scroll.x(), dY + scroll.y()) / scale;
        };
        QCOMPARE(strokes, TStrokes({{onBoard(10.5, 20.25), onBoard(60.0, 41.0)}}));
        QCOMPARE(topLeft, onBoard(10.0, 20.0));
    }

    void finishingHandsOverAtOnce()
    {
        COrrery::getUserSettings()->setValue(QStringLiteral("pen/writingpause"), 10000);
        draw({{100, 100}, {200, 100}});
        m_pPen->finishWriting();
        QCOMPARE(m_pPen->m_writings.size(), 1);
        QCOMPARE(previewInk(m_pView->scene()), 0);
    }

    void switchingToolsWhileWritingLeavesNothing()
    {
        draw({{100, 100}, {200, 100}});
        QVERIFY(COrrery::getToolManager()->activate(QStringLiteral("pen")));
        QCOMPARE(previewInk(m_pView->scene()), 0);
        QTest::qWait(CPenTool::c_iTapWindowMs);
        QCOMPARE(m_pPen->m_writings.size(), 0);
    }

    void theOrdinaryPenMakesEachStrokeInk()
    {
        QVERIFY(COrrery::getToolManager()->activate(QStringLiteral("pen")));
        draw({{100, 100}, {150, 120}, {200, 100}});
        const QList<CComponent*> components = COrrery::getWorkspace()->getCurrentTopic()->components();
        QCOMPARE(components.size(), 1);
        QCOMPARE(components.first()->getType(), QStringLiteral("ink"));
        QCOMPARE(
            components.first()->getPropertyValue(QStringLiteral("strokes")),
            QVariant(QVariantList{QVariantList{QPointF(100, 100), QPointF(150, 120), QPointF(200, 100)}}));
        QCOMPARE(components.first()->getPropertyValue(QStringLiteral("pencolor")).toString(),
                 QStringLiteral("normal;#FF000000"));
        QCOMPARE(CControlLayer::get()->undoStack()->count(), 1);
        QCOMPARE(previewInk(m_pView->scene()), 0);
    }

    void theWritingPauseStaysWithinBounds_data()
    {
        QTest::addColumn<QVariant>("setting");
        QTest::addColumn<int>("pause");
        QTest::newRow("absent") << QVariant() << 1000;
        QTest::newRow("too short") << QVariant(20) << 100;
        QTest::newRow("too long") << QVariant(60000) << 10000;
        QTest::newRow("no number") << QVariant(QStringLiteral("soon")) << 1000;
    }
    void theWritingPauseStaysWithinBounds()
    {
        QFETCH(QVariant, setting);
        QFETCH(int, pause);
        COrrery::getUserSettings()->remove(QStringLiteral("pen/writingpause"));
        if (setting.isValid())
            COrrery::getUserSettings()->setValue(QStringLiteral("pen/writingpause"), setting);
        QCOMPARE(CPenTool::writingPauseMs(), pause);
    }
};

QTEST_MAIN(tst_PenTool)
#include "tst_pentool.moc"
