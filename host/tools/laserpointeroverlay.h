// The laser pen's pointer: a red dot drawn over the board's viewport where the pen is, with a short
// trail behind it, that fades once the pen rests or leaves. It lies on top of the board without
// being part of the page: it takes no events and is never drawn into the scene or a picture of it.
#pragma once

#include <QElapsedTimer>
#include <QPointF>
#include <QTimer>
#include <QVector>
#include <QWidget>

class CLaserPointerOverlay : public QWidget
{
    Q_OBJECT

public:
    // Covers pViewport and follows its size.
    explicit CLaserPointerOverlay(QWidget* pViewport);
    ~CLaserPointerOverlay() override;

    // The pen is at point (viewport coordinates); bPressed makes the dot stand out while it touches.
    void pointAt(const QPointF& point, bool bPressed);
    // Whether anything of the dot or its trail is still to be seen.
    bool isShowing() const;

protected:
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;
    void paintEvent(QPaintEvent* pEvent) override;

private:
    struct SSpot
    {
        QPointF point;
        qint64 iAtMs;
    };

    QElapsedTimer m_clock;
    QVector<SSpot> m_trail;
    bool m_bPressed = false;
    QTimer m_fading;
};
