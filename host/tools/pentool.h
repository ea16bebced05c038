// The host's pen-tool base. It draws ink while the pen moves on the board and collects the strokes
// of one piece of writing. With pen events on, it tells a tap from writing and, once the writer
// pauses, hands the finished writing to onPenInput (or a tap to onTap) and resets itself; a stroke
// begun well away from the writing ends that writing early. While the writing waits to be handed on,
// its ink fades. With pen events off, every stroke is committed to the board as ink at once.
#pragma once

#include "ipeneventlistener.h"
#include "pentoolbase.h"

#include <QElapsedTimer>
#include <QEvent>
#include <QObject>
#include <QPointF>
#include <QTimer>
#include <QVariantAnimation>
#include <QVector>
#include <boost/shared_ptr.hpp>

class CComponent;
class CScribble;
class IWritingObserver;
class QGraphicsPathItem;

class CPenTool : public QObject, public CPenToolBase, public IPenEventListener
{
    Q_OBJECT

public:
    // The normal cursor is made from the image at strCursorResource (found with or without its
    // format suffix) with the given hot spot.
    CPenTool(const QString& strCursorResource, const QPoint& hotSpot, QObject* pParent = nullptr);
    ~CPenTool() override;

    void enablePenEvents(bool bEnable);
    // Whether writing is handed on whole after the pause (to be read) rather than kept as ink.
    bool penEventsEnabled() const { return m_bPenEvents; }
    // This pen tool tells no hold or tap-and-hold gestures, so turning them off changes nothing.
    void enableHoldEvent(bool bEnable);
    void enableTapHoldEvent(bool bEnable);

    QImage getPreviewImage() const override;
    bool isPenTool() const override;
    bool onMousePress(QMouseEvent* pEvent) override;
    bool onMouseMove(QMouseEvent* pEvent) override;
    bool onMouseRelease(QMouseEvent* pEvent) override;
    QCursor getNormalCursor() const override;
    bool isDrawing() const override;

    void onTap(const CMouseEventPoint& point) override;
    void onBeginHold(const CMouseEventPoint& point) override;
    void onHoldMove(const CMouseEventPoint& point) override;
    void onEndHold(const CMouseEventPoint& point) override;
    void onDoubleTap(const CMouseEventPoint& point) override;
    void onBeginTapHold(const CMouseEventPoint& point) override;
    void onTapHoldMove(const CMouseEventPoint& point) override;
    void onEndTapHold(const CMouseEventPoint& point) override;
    void onBeginDrag(const CMouseEventPoint& point) override;
    void onDragMove(const CMouseEventPoint& point) override;
    void onEndDrag(const CMouseEventPoint& point) override;
    void drawUnitLine(const CMouseEventPoint& from, const CMouseEventPoint& to,
                      const CScribble& scribble) override;
    void onPenInput(boost::shared_ptr<CScribble> pScribble) override;

    // Fills the empty vector with the scribble's strokes in scene coordinates; answers the scene
    // point of the top-left corner of the writing's bounds.
    QPointF viewScribbleToItemScribble(const CScribble& scribble, QVector<QVector<QPointF>>& strokes) const;
    // Gives ink the colour and width that this pen's own strokes get.
    void styleInk(CComponent& ink) const;
    // Takes the ink of the current writing off the board.
    void discardDrawing();
    // Forgets the current writing and waits for the next one.
    void resetPenTool();

    // Hands the current writing on now instead of after the pause (the replay does this at the end
    // of each recorded piece of writing).
    void finishWriting();
    void finishPendingWork() override;
    // Forgets the writing in progress and takes its ink off the board without handing it on: the
    // page it was written on is no longer shown. Nothing happens while the writing is being read.
    void dropWriting();
    // The writing collected so far; null when idle.
    const CScribble* currentScribble() const { return m_pScribble.get(); }

    // What hears of the writing stroke by stroke, for every pen tool; null for nothing. Not owned.
    static void setWritingObserver(IWritingObserver* pObserver);
    static IWritingObserver* writingObserver();

    // How long the writer may pause before a piece of writing counts as finished: the user setting
    // "pen/writingpause" in milliseconds, 1000 by default.
    static int writingPauseMs();
    // A first stroke this short and this small is a tap, if no stroke follows within the tap window.
    static constexpr int c_iTapMaxMs = 300;
    static constexpr int c_iTapMaxExtentPx = 6;
    static constexpr int c_iTapWindowMs = 250;
    // A stroke that begins farther from the writing than this many of its line heights starts a new
    // piece of writing. A line is taken to be at least c_iMinLineHeightPx high.
    static constexpr double c_dNewWritingLines = 1.5;
    static constexpr int c_iMinLineHeightPx = 40;
    // How far the ink of writing that waits to be read fades.
    static constexpr double c_dWaitingInkOpacity = 0.4;

protected:
    void activate(bool bFlag) override;
    void deactivate(bool bFlag) override;
    void commit(bool bFlag) override;

private:
    void handOver();
    // Hands on the writing that a stroke far away ended, leaving the writing begun since in place.
    void handOverSetAside();
    bool startsNewWriting(const QPointF& viewPoint) const;
    void fadeInk(double dOpacity);
    // Drops the writing set aside and any input held while the writing was handed on.
    void dropSetAside();
    // Keeps a stroke's move or release that comes while the writing is handed on, after a press
    // that came then too; false when the event is not held.
    bool holdInput(const QMouseEvent* pEvent);
    // Draws the stroke that came while the writing was handed on.
    void replayHeldInput();
    bool isTap() const;
    QPen inkPen() const;

    QCursor m_normalCursor;
    bool m_bPenEvents = false;
    bool m_bStrokeActive = false;
    bool m_bHandingOver = false;
    boost::shared_ptr<CScribble> m_pScribble;
    QVector<QGraphicsPathItem*> m_inkItems;
    // The writing ended by a stroke begun far from it, until that stroke is done.
    boost::shared_ptr<CScribble> m_pSetAside;
    QVector<QGraphicsPathItem*> m_setAsideInk;
    QVariantAnimation m_fade;
    struct SHeldInput
    {
        QEvent::Type eType;
        QPointF at;
        QPointF screenAt;
    };
    QVector<SHeldInput> m_heldInput;

    double inkDepth(const COrreryView& view) const;
    QTimer m_pauseTimer;
    QElapsedTimer m_clock;
};
