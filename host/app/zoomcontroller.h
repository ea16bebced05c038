// How large the board shows, as the user changes it: steps in and out, back to 100 %, the whole page in
// view, and Ctrl with the wheel or a pinch on a touchpad about the point under the pointer. It offers
// these as actions for a menu and the window's shortcuts, and the zoom as a label for the status bar.
#pragma once

#include <QList>
#include <QObject>
#include <QPointF>

class COrreryView;
class QAction;
class QLabel;
class QMenu;
class QWidget;

class CZoomController : public QObject
{
    Q_OBJECT

public:
    // Smaller than a quarter a page's writing can no longer be read; larger than four times a
    // page's corner fills the screen.
    static constexpr double c_dMinZoom = 0.25;
    static constexpr double c_dMaxZoom = 4.0;

    // pWindow holds the menu and is where the shortcuts work.
    CZoomController(COrreryView* pView, QWidget* pWindow);

    // The next of the usual steps (25 %, 33 %, 50 % ... 400 %) above or below dZoom, or the limit.
    static double stepAbove(double dZoom);
    static double stepBelow(double dZoom);
    // "100 %": the zoom as the status bar shows it.
    static QString zoomText(double dZoom);

    void zoomIn();
    void zoomOut();
    void resetZoom();
    // The whole page in the view, as large as it fits.
    void fitPage();
    // Shows the board at dZoom, within the limits, with the board point under viewPoint (viewport
    // coordinates) staying under it where the board can be scrolled so.
    void zoomAbout(double dZoom, const QPointF& viewPoint);

    // Zoom In, Zoom Out, Actual Size and Fit Page, with their shortcuts.
    QList<QAction*> actions() const { return m_actions; }
    // The same actions as the View menu's Zoom submenu.
    QMenu* menu() const { return m_pMenu; }
    // A label that always shows the board's zoom; its parent takes it.
    QLabel* createZoomLabel(QWidget* pParent) const;

protected:
    bool eventFilter(QObject* pObject, QEvent* pEvent) override;

private:
    QAction* addAction(const QString& strText, void (CZoomController::*pSlot)());
    QPointF viewCentre() const;

    COrreryView* m_pView;
    // Compared by address alone: its events still arrive while the view is being destroyed, when
    // the view can no longer be asked for it.
    const QObject* m_pViewport;
    QMenu* m_pMenu;
    QList<QAction*> m_actions;
};
