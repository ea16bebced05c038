#include "pentool.h"

#include "boardunits.h"
#include "component.h"
#include "controllayer.h"
#include "cursorutilities.h"
#include "handwritingkeeper.h"
#include "inkcomponent.h"
#include "mouseeventpoint.h"
#include "orrery.h"
#include "orreryview.h"
#include "penbase.h"
#include "penfactory.h"
#include "scribble.h"
#include "toolpropertynames.h"
#include "topic.h"
#include "workclock.h"
#include "writingobserver.h"

#include <QGraphicsPathItem>
#include <QGraphicsScene>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QSettings>
#include <algorithm>
#include <boost/make_shared.hpp>
#include <cmath>
#include <functional>

namespace {

const double c_dDefaultLineWidth = 3.0;
const int c_iDefaultPauseMs = 1000;
const int c_iMinPauseMs = 100;
const int c_iMaxPauseMs = 10000;
// Writing without a pen colour of its own (a text pen, whose ink is only a preview) shows in ink
// that reads as ink on a white board.
const QColor c_fallbackInk(0x1a, 0x1f, 0x3a);

// The ink of one stroke. The page may delete it before the tool does (a page closed while the
// writer pauses); it tells the tool, which must then not touch it again.
class CInkStrokeItem : public QGraphicsPathItem
{
public:
    explicit CInkStrokeItem(std::function<void(QGraphicsPathItem*)> fnGone) : m_fnGone(std::move(fnGone)) {}
    ~CInkStrokeItem() override
    {
        if (m_fnGone)
            m_fnGone(this);
    }

private:
    std::function<void(QGraphicsPathItem*)> m_fnGone;
};

QTransform viewToScene(const COrreryView* pView)
{
    // mapToScene(QPoint) would round the pen's sub-pixel positions away.
    return pView ? pView->viewportTransform().inverted() : QTransform();
}

} // namespace

CPenTool::CPenTool(const QString& strCursorResource, const QPoint& hotSpot, QObject* pParent)
    : QObject(pParent)
{
    const QPixmap pixmap = CCursorUtilities::loadPixmap(strCursorResource);
    m_normalCursor = pixmap.isNull() ? QCursor(Qt::CrossCursor) : QCursor(pixmap, hotSpot.x(), hotSpot.y());
    m_pauseTimer.setSingleShot(true);
    connect(&m_pauseTimer, &QTimer::timeout, this, [this] {
        handOver();
        replayHeldInput();
    });
    // Slow at first, so that the short lifts between the strokes of a word hardly show.
    m_fade.setStartValue(1.0);
    m_fade.setEndValue(c_dWaitingInkOpacity);
    m_fade.setEasingCurve(QEasingCurve::InQuad);
    connect(&m_fade, &QVariantAnimation::valueChanged, this,
            [this](const QVariant& opacity) { fadeInk(opacity.toDouble()); });
    m_clock.start();
}

CPenTool::~CPenTool()
{
    m_pauseTimer.stop();
    m_fade.stop();
    dropSetAside();
    discardDrawing();
}

void CPenTool::enablePenEvents(bool bEnable)
{
    m_bPenEvents = bEnable;
}

void CPenTool::enableHoldEvent(bool)
{
}

void CPenTool::enableTapHoldEvent(bool)
{
}

QImage CPenTool::getPreviewImage() const
{
    QImage image(48, 16, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPen pen = inkPen();
    // A preview shows the colour, at the width the board shows at its default zoom; a wide pen would
    // fill the whole image with it.
    pen.setWidthF(std::min(pen.widthF() * boardunits::c_dDefaultViewScale, 6.0));
    QPainterPath wave(QPointF(4.0, 10.0));
    wave.cubicTo(QPointF(14.0, -2.0), QPointF(24.0, 18.0), QPointF(44.0, 5.0));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(pen);
    painter.drawPath(wave);
    painter.end();
    return image;
}

bool CPenTool::isPenTool() const
{
    return true;
}

namespace {
IWritingObserver* s_pWritingObserver = nullptr;
} // namespace

void CPenTool::setWritingObserver(IWritingObserver* pObserver)
{
    s_pWritingObserver = pObserver;
}

IWritingObserver* CPenTool::writingObserver()
{
    return s_pWritingObserver;
}

bool CPenTool::onMousePress(QMouseEvent* pEvent)
{
    COrreryView* pView = view();
    QGraphicsScene* pScene = pView ? pView->scene() : nullptr;
    if (!pScene)
        return false;
    if (pEvent->button() != Qt::LeftButton)
        return true;
    // A listener may run a modal loop while it takes the writing (a menu of readings), which the
    // press may have closed: the stroke begins once the writing is taken, not in the middle of it.
    if (m_bHandingOver) {
        m_heldInput.append({QEvent::MouseButtonPress, pEvent->localPos(), pEvent->screenPos()});
        return true;
    }
    if (pView->topic() && pView->topic()->isInputBlocked())
        return true;

    m_pauseTimer.stop();
    m_fade.stop();
    fadeInk(1.0);
    if (m_bPenEvents && s_pWritingObserver)
        s_pWritingObserver->writingGoesOn();
    const QPointF viewPoint = pEvent->localPos();
    if (m_bPenEvents && startsNewWriting(viewPoint)) {
        // Read once this stroke is done, not now: what the listener shows for it (a menu of readings)
        // would open under the pen that is writing.
        handOverSetAside();
        m_heldInput.clear();
        m_pauseTimer.stop();
        m_fade.stop();
        m_pSetAside = std::move(m_pScribble);
        m_setAsideInk = std::move(m_inkItems);
        m_inkItems.clear();
        for (QGraphicsPathItem* pItem : m_setAsideInk)
            pItem->setOpacity(c_dWaitingInkOpacity);
    }
    if (!m_pScribble)
        m_pScribble = boost::make_shared<CScribble>();
    m_pScribble->beginStroke(viewPoint, m_clock.elapsed());
    m_bStrokeActive = true;
    // A tool may show another cursor while the pen writes than while it hovers.
    showNormalCursor();

    const QPointF scenePoint = viewToScene(pView).map(viewPoint);
    // A segment too short to see, so that a dot shows with the pen's round cap (a path drops a
    // segment of no length).
    QPainterPath path(scenePoint);
    path.lineTo(scenePoint + QPointF(0.01, 0.0));
    CInkStrokeItem* pItem = new CInkStrokeItem([this](QGraphicsPathItem* pGone) {
        m_inkItems.removeAll(pGone);
        m_setAsideInk.removeAll(pGone);
    });
    pItem->setPen(inkPen());
    pItem->setPath(path);
    pItem->setZValue(inkDepth(*pView) + 1.0);
    pScene->addItem(pItem);
    m_inkItems.append(pItem);
    return true;
}

// New ink goes above everything on the page: its components and the strokes already written. On a
// page's scene only those two are found, so neither the page nor the scene needs to be walked.
double CPenTool::inkDepth(const COrreryView& view) const
{
    double dTop = 0.0;
    const CTopic* pTopic = view.topic();
    if (pTopic && pTopic->scene() == view.scene()) {
        dTop = std::max(dTop, pTopic->topDepth());
        for (const QGraphicsPathItem* pItem : m_inkItems)
            dTop = std::max(dTop, pItem->zValue());
        return dTop;
    }
    for (const QGraphicsItem* pItem : view.scene()->items())
        dTop = std::max(dTop, pItem->zValue());
    return dTop;
}

bool CPenTool::onMouseMove(QMouseEvent* pEvent)
{
    COrreryView* pView = view();
    if (!pView)
        return false;
    if (holdInput(pEvent))
        return true;
    if (!m_bStrokeActive || !m_pScribble || m_pScribble->isEmpty() || m_pScribble->strokes().last().isEmpty())
        return true;

    const QTransform toScene = viewToScene(pView);
    const QPointF fromView = m_pScribble->strokes().last().last();
    const QPointF toView = pEvent->localPos();
    if (toView == fromView)
        return true;
    m_pScribble->addPoint(toView, m_clock.elapsed());
    if (!m_inkItems.isEmpty()) {
        QGraphicsPathItem* pItem = m_inkItems.last();
        QPainterPath path = pItem->path();
        path.lineTo(toScene.map(toView));
        pItem->setPath(path);
    }
    drawUnitLine(CMouseEventPoint(fromView.toPoint(), toScene.map(fromView)),
                 CMouseEventPoint(toView.toPoint(), toScene.map(toView)), *m_pScribble);
    return true;
}

bool CPenTool::onMouseRelease(QMouseEvent* pEvent)
{
    if (!view())
        return false;
    if (holdInput(pEvent))
        return true;
    if (!m_bStrokeActive || pEvent->button() != Qt::LeftButton)
        return true;
    // The pen may have moved between the last move event and the release. Not the virtual: a
    // derived tool's move handling expects moves, not releases.
    CPenTool::onMouseMove(pEvent);
    m_bStrokeActive = false;

    if (!m_bPenEvents) {
        commit(true);
        return true;
    }
    // A tap must be told apart from the first stroke of writing: a short wait is enough for that,
    // whereas writing waits for the writer's pause.
    m_pauseTimer.start(isTap() ? c_iTapWindowMs : writingPauseMs());
    if (!isTap()) {
        m_fade.setDuration(m_pauseTimer.interval());
        m_fade.start();
    }
    handOverSetAside();
    // The writing may be finished: reading it now has the readings ready when the pause ends.
    if (s_pWritingObserver && m_pScribble && !isTap()) {
        QVector<QVector<QPointF>> strokes;
        viewScribbleToItemScribble(*m_pScribble, strokes);
        s_pWritingObserver->writingPaused(strokes);
    }
    replayHeldInput();
    return true;
}

QCursor CPenTool::getNormalCursor() const
{
    return m_normalCursor;
}

bool CPenTool::isDrawing() const
{
    return m_bStrokeActive;
}

void CPenTool::onTap(const CMouseEventPoint&)
{
}

void CPenTool::onBeginHold(const CMouseEventPoint&)
{
}

void CPenTool::onHoldMove(const CMouseEventPoint&)
{
}

void CPenTool::onEndHold(const CMouseEventPoint&)
{
}

void CPenTool::onDoubleTap(const CMouseEventPoint&)
{
}

void CPenTool::onBeginTapHold(const CMouseEventPoint&)
{
}

void CPenTool::onTapHoldMove(const CMouseEventPoint&)
{
}

void CPenTool::onEndTapHold(const CMouseEventPoint&)
{
}

void CPenTool::onBeginDrag(const CMouseEventPoint&)
{
}

void CPenTool::onDragMove(const CMouseEventPoint&)
{
}

void CPenTool::onEndDrag(const CMouseEventPoint&)
{
}

void CPenTool::drawUnitLine(const CMouseEventPoint&, const CMouseEventPoint&, const CScribble&)
{
}

void CPenTool::onPenInput(boost::shared_ptr<CScribble>)
{
}

QPointF CPenTool::viewScribbleToItemScribble(const CScribble& scribble,
                                             QVector<QVector<QPointF>>& strokes) const
{
    const QTransform toScene = viewToScene(view());
    strokes.clear();
    strokes.reserve(scribble.strokeCount());
    for (const QVector<QPointF>& viewStroke : scribble.strokes()) {
        QVector<QPointF> sceneStroke;
        sceneStroke.reserve(viewStroke.size());
        for (const QPointF& point : viewStroke)
            sceneStroke.append(toScene.map(point));
        strokes.append(sceneStroke);
    }
    const QRect bounds = scribble.getRectBound();
    return toScene.map(QPointF(bounds.topLeft()));
}

void CPenTool::discardDrawing()
{
    CWorkClock::CScope scope(CWorkClock::eInk);
    // Taken out first: each deleted item reports back and would change the list under the loop.
    const QVector<QGraphicsPathItem*> items = std::move(m_inkItems);
    m_inkItems.clear();
    for (QGraphicsPathItem* pItem : items)
        delete pItem;
}

void CPenTool::resetPenTool()
{
    m_pauseTimer.stop();
    m_fade.stop();
    m_pScribble.reset();
    m_bStrokeActive = false;
}

void CPenTool::finishWriting()
{
    handOverSetAside();
    m_pauseTimer.stop();
    if (m_pScribble)
        handOver();
    replayHeldInput();
}

bool CPenTool::holdInput(const QMouseEvent* pEvent)
{
    if (!m_bHandingOver || m_heldInput.isEmpty() || m_heldInput.last().eType == QEvent::MouseButtonRelease)
        return false;
    if (pEvent->type() == QEvent::MouseMove || pEvent->button() == Qt::LeftButton)
        m_heldInput.append({pEvent->type(), pEvent->localPos(), pEvent->screenPos()});
    return true;
}

void CPenTool::replayHeldInput()
{
    if (m_bHandingOver)
        return;
    const QVector<SHeldInput> input = std::move(m_heldInput);
    m_heldInput.clear();
    for (const SHeldInput& held : input) {
        if (!isActive())
            return;
        const bool bUp = held.eType == QEvent::MouseButtonRelease;
        QMouseEvent event(held.eType, held.at, held.screenAt,
                          held.eType == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                          bUp ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
        // The tool's own handlers: it follows the pen as it does for any stroke.
        if (held.eType == QEvent::MouseButtonPress)
            onMousePress(&event);
        else if (bUp)
            onMouseRelease(&event);
        else
            onMouseMove(&event);
    }
}

void CPenTool::handOverSetAside()
{
    if (!m_pSetAside || m_bHandingOver)
        return;
    // The listener takes the current writing: the one set aside is current while it is handed on.
    std::swap(m_pScribble, m_pSetAside);
    std::swap(m_inkItems, m_setAsideInk);
    handOver();
    discardDrawing();
    m_pScribble = std::move(m_pSetAside);
    m_pSetAside.reset();
    m_inkItems = std::move(m_setAsideInk);
    m_setAsideInk.clear();
    // The writing begun meanwhile waits for its own pause, which handing on may have outlasted.
    if (m_pScribble && !m_bStrokeActive && isActive()) {
        m_pauseTimer.start(isTap() ? c_iTapWindowMs : writingPauseMs());
        if (!isTap())
            m_fade.start();
    }
}

bool CPenTool::startsNewWriting(const QPointF& viewPoint) const
{
    if (!m_pScribble || m_pScribble->pointCount() == 0)
        return false;
    // The tallest stroke stands for a line: a word written in one stroke is as high as its line, and
    // the strokes of printed letters are no higher.
    double dLineHeight = c_iMinLineHeightPx;
    const auto byHeight = [](const QPointF& a, const QPointF& b) { return a.y() < b.y(); };
    for (const QVector<QPointF>& stroke : m_pScribble->strokes()) {
        const auto extremes = std::minmax_element(stroke.begin(), stroke.end(), byHeight);
        if (extremes.first != stroke.end())
            dLineHeight = std::max(dLineHeight, extremes.second->y() - extremes.first->y());
    }
    const QRectF bounds = QRect(m_pScribble->getRectBound());
    const double dX = std::max({bounds.left() - viewPoint.x(), 0.0, viewPoint.x() - bounds.right()});
    const double dY = std::max({bounds.top() - viewPoint.y(), 0.0, viewPoint.y() - bounds.bottom()});
    return std::hypot(dX, dY) > c_dNewWritingLines * dLineHeight;
}

void CPenTool::fadeInk(double dOpacity)
{
    for (QGraphicsPathItem* pItem : m_inkItems)
        pItem->setOpacity(dOpacity);
}

void CPenTool::dropSetAside()
{
    m_heldInput.clear();
    const QVector<QGraphicsPathItem*> items = std::move(m_setAsideInk);
    m_setAsideInk.clear();
    for (QGraphicsPathItem* pItem : items)
        delete pItem;
    m_pSetAside.reset();
}

int CPenTool::writingPauseMs()
{
    bool bOk = false;
    const int iPause =
        COrrery::getUserSettings()->value(QStringLiteral("pen/writingpause"), c_iDefaultPauseMs).toInt(&bOk);
    return bOk ? std::clamp(iPause, c_iMinPauseMs, c_iMaxPauseMs) : c_iDefaultPauseMs;
}

void CPenTool::finishPendingWork()
{
    // A stroke still under the pen is not writing yet; what was lifted is read as after the pause.
    if (!m_bStrokeActive && !m_bHandingOver)
        finishWriting();
}

void CPenTool::dropWriting()
{
    if (m_bHandingOver)
        return;
    dropSetAside();
    discardDrawing();
    resetPenTool();
}

void CPenTool::activate(bool bFlag)
{
    dropSetAside();
    discardDrawing();
    resetPenTool();
    CTool::activate(bFlag);
}

void CPenTool::deactivate(bool bFlag)
{
    dropSetAside();
    discardDrawing();
    resetPenTool();
    CTool::deactivate(bFlag);
}

void CPenTool::commit(bool)
{
    const boost::shared_ptr<CScribble> pScribble = m_pScribble;
    // The preview goes before the ink comes: the page puts new components above whatever it holds,
    // and the preview is meant to be above everything.
    discardDrawing();
    resetPenTool();
    if (!pScribble || pScribble->isEmpty())
        return;

    QVector<QVector<QPointF>> strokes;
    viewScribbleToItemScribble(*pScribble, strokes);
    const QVariantList strokeList = CInkComponent::strokeList(strokes);

    const boost::shared_ptr<CComponent> pInk = CComponent::create(QStringLiteral("ink"));
    if (!pInk)
        return;
    pInk->setPropertyValue(QStringLiteral("strokes"), strokeList);
    styleInk(*pInk);
    CControlLayer::get()->invokeInsertCommand(pInk, -1, -1);
}

void CPenTool::styleInk(CComponent& ink) const
{
    const QPen pen = inkPen();
    const QString strPen = getToolProperty(QLatin1String(toolproperty::c_szPenColor)).toString();
    ink.setPropertyValue(QLatin1String(toolproperty::c_szPenColor),
                         CPenFactory::createPen(strPen)
                             ? strPen
                             : QStringLiteral("normal;") + CPenBase::encodeColor(pen.color()));
    ink.setPropertyValue(QLatin1String(toolproperty::c_szLineWidth), pen.widthF());
}

void CPenTool::handOver()
{
    m_pauseTimer.stop();
    if (!m_pScribble || m_bHandingOver)
        return;
    // Dim while it is read: reading may take a moment.
    m_fade.stop();
    fadeInk(c_dWaitingInkOpacity);
    const boost::shared_ptr<CScribble> pScribble = m_pScribble;
    m_bStrokeActive = false;
    m_bHandingOver = true;
    if (isTap()) {
        const QPointF viewPoint = pScribble->strokes().first().first();
        onTap(CMouseEventPoint(viewPoint.toPoint(), viewToScene(view()).map(viewPoint)));
    } else {
        QVector<QVector<QPointF>> strokes;
        viewScribbleToItemScribble(*pScribble, strokes);
        const QPen pen = inkPen();
        // What the listener makes of the writing keeps it.
        CHandwritingKeeper::CScope keep(strokes, pen.color(), pen.widthF());
        onPenInput(pScribble);
    }
    m_bHandingOver = false;
    if (isActive())
        showNormalCursor();
    // A listener that left the writing in place (a tap handler may only discard) must not find it
    // again under the next one.
    if (m_pScribble == pScribble) {
        discardDrawing();
        resetPenTool();
    }
}

bool CPenTool::isTap() const
{
    if (!m_pScribble || m_pScribble->strokeCount() != 1 || m_pScribble->pointCount() == 0 ||
        m_pScribble->duration() > c_iTapMaxMs)
        return false;
    const CNRect bounds = m_pScribble->getRectBound();
    return bounds.width() <= c_iTapMaxExtentPx && bounds.height() <= c_iTapMaxExtentPx;
}

QPen CPenTool::inkPen() const
{
    QColor color = c_fallbackInk;
    const boost::shared_ptr<CPenBase> pPen =
        CPenFactory::createPen(getToolProperty(QLatin1String(toolproperty::c_szPenColor)).toString());
    if (pPen && pPen->getColor().isValid())
        color = pPen->getColor();
    double dWidth = getToolProperty(QLatin1String(toolproperty::c_szLineWidth)).toDouble();
    if (dWidth <= 0.0)
        dWidth = c_dDefaultLineWidth;
    return QPen(color, dWidth * COrrery::getLPToDPRatio(), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}
