// The pen-tool base as pen tools and the writer see it: ink while writing, one hand-over per writing after
// the pause, taps told apart from writing, view points mapped onto the board, and the ordinary pen's ink.
#include "boardhost.h"
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
#include <QSettings>
#include <QUndoStack>
#include <QtTest>
#include <boost/make_shared.hpp>

typedef QVector<QVector<QPointF>> TStrokes;
typedef QVector<QPoint> TLine;

// A pen tool that keeps what it is handed.
struct CListeningPen : CPenTool
{
    CListeningPen() : CPenTool(QString(), QPoint(-1, -1)) { enablePenEvents(true); }
    QString getName() const override { return "listening"; }
    void onTap(const CMouseEventPoint& point) override { m_taps.append(point); }
    void onPenInput(boost::shared_ptr<CScribble> pInput) override { m_writings.append(pInput->strokes()); }
    QList<CMouseEventPoint> m_taps;
    QList<TStrokes> m_writings;
};

class tst_PenTool : public QObject
{
    Q_OBJECT

    CBoardHost m_host;
    COrreryView* m_pView = nullptr;
    CListeningPen* m_pPen = nullptr;

    static CTopic* page() { return COrrery::getWorkspace()->getCurrentTopic(); }
    static bool activate(const QString& strTool) { return COrrery::getToolManager()->activate(strTool); }
    // The last point comes with the release only, as it does when the pen lifts off quickly.
    void draw(const TLine& points)
    {
        QWidget* pViewport = m_pView->viewport();
        QTest::mousePress(pViewport, Qt::LeftButton, Qt::NoModifier, points.first());
        for (const QPoint& point : points.mid(1, points.size() - 2)) {
            QMouseEvent move(QEvent::MouseMove, point, Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(pViewport, &move);
        }
        QTest::mouseRelease(pViewport, Qt::LeftButton, Qt::NoModifier, points.last());
    }

private slots:
    void init()
    {
        m_host.start();
        COrrery::getUserSettings()->setValue("pen/writingpause", 100);
        m_pView = m_host.view();
        m_pView->setFixedSize(800, 600);
        auto pPen = boost::make_shared<CListeningPen>();
        m_pPen = pPen.get();
        CToolManager* pTools = COrrery::getToolManager();
        QVERIFY(pTools->registerTool(pPen) && pTools->registerTool(boost::make_shared<CNormalPenTool>()));
        QVERIFY(activate("listening"));
    }
    void cleanup() { m_host.stop(); }

    void whatIsDrawnIsHandedOverOnceAfterThePause_data()
    {
        QTest::addColumn<QList<TLine>>("strokes");
        QTest::addColumn<int>("gapMs");
        QTest::addColumn<bool>("tap");
        const TLine line = {{100, 100}, {140, 120}, {180, 110}}, dot = {{300, 300}};
        QTest::newRow("two strokes") << QList<TLine>{line, {{100, 150}, {180, 150}}} << 0 << false;
        QTest::newRow("a touch") << QList<TLine>{dot} << 0 << true;
        QTest::newRow("a small wiggle") << QList<TLine>{{{300, 300}, {304, 303}, {301, 305}}} << 0 << true;
        QTest::newRow("two touches") << QList<TLine>{dot, {{304, 302}}} << 0 << false;
        // Longer than the writing pause, yet within the wait that tells a tap from a first dot.
        QTest::newRow("dot, then line") << QList<TLine>{dot, line} << CPenTool::c_iTapWindowMs - 100 << false;
    }
    void whatIsDrawnIsHandedOverOnceAfterThePause()
    {
        QFETCH(QList<TLine>, strokes);
        QFETCH(int, gapMs);
        QFETCH(bool, tap);
        for (int i = 0; i < strokes.size(); ++i) {
            QTest::qWait(i == 0 ? 0 : gapMs);
            draw(strokes.at(i));
        }
        QCOMPARE(CBoardHost::inkShown(m_pView), strokes.size());
        QCOMPARE(m_pPen->m_writings.size() + m_pPen->m_taps.size(), 0);

        QTRY_COMPARE(m_pPen->m_writings.size() + m_pPen->m_taps.size(), 1);
        const QPoint start = strokes.first().first();
        QCOMPARE(m_pPen->m_taps.size(), int(tap));
        if (tap) {
            QCOMPARE(m_pPen->m_taps.first().scenePos(), QPointF(start));
        } else {
            QCOMPARE(m_pPen->m_writings.first().size(), strokes.size());
            QCOMPARE(m_pPen->m_writings.first().first().first(), QPointF(start));
        }
        QCOMPARE(CBoardHost::inkShown(m_pView), 0);
        QVERIFY(!m_pPen->currentScribble());
        QCOMPARE(page()->componentCount(), 0);
    }

    void inkShowsAboveEverythingOnThePage()
    {
        // Boxes put on top and one slipped under them, as undoing a delete does.
        for (int iIndex : {-1, -1, 0, -1}) {
            QVERIFY(page()->addComponent(CComponent::create("text"), iIndex));
        }
        double dTop = std::numeric_limits<double>::lowest();
        for (CComponent* pComponent : page()->components()) {
            QVERIFY(pComponent->getGraphicsItem()->zValue() > dTop);
            dTop = pComponent->getGraphicsItem()->zValue();
        }
        QCOMPARE(page()->topDepth(), dTop);

        draw({{100, 100}, {200, 100}});
        draw({{100, 150}, {200, 150}});
        double dInk = dTop;
        for (QGraphicsItem* pItem : m_pView->scene()->items(Qt::AscendingOrder)) {
            if (COrreryView::componentOf(pItem))
                continue;
            QVERIFY2(pItem->zValue() > dInk, "each stroke lies above the page and the strokes before it");
            dInk = pItem->zValue();
        }
        QCOMPARE(CBoardHost::inkShown(m_pView), 2);
    }

    void leavingForTheOrdinaryPenDropsTheWritingAndMakesInk()
    {
        draw({{100, 100}, {200, 100}});
        QVERIFY(activate("pen"));
        QCOMPARE(CBoardHost::inkShown(m_pView), 0);
        // The ordinary pen makes each stroke one ink component on the board, one undo step.
        draw({{100, 100}, {150, 120}, {200, 100}});
        QCOMPARE(page()->componentCount(), 1);
        const CComponent* pInk = page()->components().first();
        QCOMPARE(pInk->getType(), QStringLiteral("ink"));
        const QVariantList stroke = {QPointF(100, 100), QPointF(150, 120), QPointF(200, 100)};
        QCOMPARE(pInk->getPropertyValue("strokes"), QVariant(QVariantList{stroke}));
        QCOMPARE(pInk->getPropertyValue("pencolor").toString(), QStringLiteral("normal;#FF000000"));
        QCOMPARE(CControlLayer::get()->undoStack()->count(), 1);
        QCOMPARE(CBoardHost::inkShown(m_pView), 0);
        // The writing left behind never reaches the listening pen.
        QTest::qWait(CPenTool::c_iTapWindowMs);
        QCOMPARE(m_pPen->m_writings.size() + m_pPen->m_taps.size(), 0);
    }
};

QTEST_MAIN(tst_PenTool)
#include "tst_pentool.moc"
