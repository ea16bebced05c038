// The board view: shows the current page and hands the mouse and pen events on it to the active
// tool; a tablet pen's events take the mouse's way, its pressure unused. View coordinates are those
// of its viewport.
#pragma once

#include <QGraphicsView>
#include <QList>

class CComponent;
class CTopic;
class QTabletEvent;

class COrreryView : public QGraphicsView
{
    Q_OBJECT

public:
    explicit COrreryView(QWidget* pParent = nullptr);
    ~COrreryView() override;

    void showTopic(CTopic* pTopic);
    CTopic* topic() const { return m_pTopic; }

    // How large the board shows: 1 at the default zoom, where a screen pixel spans
    // boardunits::c_dUnitsPerPixel scene units; 2 shows everything twice as large. A zoom that is not
    // a positive number is ignored.
    double zoom() const;
    void setZoom(double dZoom);

    // The components whose items meet the scene rectangle (by eMode), from back to front, so that of
    // two items at one depth the one drawn on top comes later. With a
    // depth list, the items' depths are put into it in the same order. bTopLevelOnly leaves out
    // items that are parts of other items.
    QList<CComponent*> componentsAt(const QRectF& rect, QList<double>* pDepths, Qt::ItemSelectionMode eMode,
                                    bool bTopLevelOnly) const;
    // The component shown by the item, or null.
    static CComponent* componentOf(QGraphicsItem* pItem);

    // While the board shows the live desktop behind it, tools that write onto pages are of no use.
    bool liveDesktopMode() const { return m_bLiveDesktopMode; }
    void setLiveDesktopMode(bool bOn);

signals:
    void signalLiveDesktopModeChanged(bool bOn);
    // The board shows at another zoom; whoever shows the zoom or sizes things to it follows.
    void signalZoomChanged(double dZoom);

protected:
    bool viewportEvent(QEvent* pEvent) override;
    void drawBackground(QPainter* pPainter, const QRectF& rect) override;
    void mousePressEvent(QMouseEvent* pEvent) override;
    void mouseMoveEvent(QMouseEvent* pEvent) override;
    void mouseReleaseEvent(QMouseEvent* pEvent) override;
    void mouseDoubleClickEvent(QMouseEvent* pEvent) override;

private:
    void penAsMouse(QTabletEvent* pEvent);

    CTopic* m_pTopic = nullptr;
    bool m_bLiveDesktopMode = false;
};
