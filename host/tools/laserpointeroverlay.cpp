#include "laserpointeroverlay.h"

#include <QEvent>
#include <QPainter>
#include <QRadialGradient>

namespace {

// How long the dot stays after the pen stops, and how long a spot of its trail lasts.
const qint64 c_iDotFadeMs = 1500;
const qint64 c_iTrailFadeMs = 350;
const double c_dRadius = 9.0;
const QColor c_red(235, 20, 20);

// From 1 when new to 0 once the time is over.
double freshness(qint64 iAgeMs, qint64 iLifeMs)
{
    return iAgeMs >= iLifeMs ? 0.0 : 1.0 - double(iAgeMs) / double(iLifeMs);
}

} // namespace

CLaserPointerOverlay::CLaserPointerOverlay(QWidget* pViewport) : QWidget(pViewport)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setAttribute(Qt::WA_TranslucentBackground);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(pViewport->rect());
    pViewport->installEventFilter(this);
    m_clock.start();
    // About 30 frames a second while something fades, none otherwise.
    m_fading.setInterval(33);
    connect(&m_fading, &QTimer::timeout, this, [this] {
        update();
        if (!isShowing())
            m_fading.stop();
    });
    show();
}

CLaserPointerOverlay::~CLaserPointerOverlay() = default;

void CLaserPointerOverlay::pointAt(const QPointF& point, bool bPressed)
{
    m_bPressed = bPressed;
    const qint64 iNow = m_clock.elapsed();
    m_trail.append({point, iNow});
    // Only the spots still to be seen are kept, so a long pointing keeps a short list.
    while (m_trail.size() > 1 && iNow - m_trail.first().iAtMs > c_iTrailFadeMs)
        m_trail.removeFirst();
    raise();
    update();
    if (!m_fading.isActive())
        m_fading.start();
}

bool CLaserPointerOverlay::isShowing() const
{
    return !m_trail.isEmpty() && m_clock.elapsed() - m_trail.last().iAtMs < c_iDotFadeMs;
}

bool CLaserPointerOverlay::eventFilter(QObject* pWatched, QEvent* pEvent)
{
    if (pWatched == parentWidget() && pEvent->type() == QEvent::Resize)
        setGeometry(parentWidget()->rect());
    return QWidget::eventFilter(pWatched, pEvent);
}

void CLaserPointerOverlay::paintEvent(QPaintEvent*)
{
    if (m_trail.isEmpty())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    const qint64 iNow = m_clock.elapsed();
    // The trail thins and pales towards its end.
    for (int i = 0; i + 1 < m_trail.size(); ++i) {
        const double dLeft = freshness(iNow - m_trail.at(i).iAtMs, c_iTrailFadeMs);
        QColor color = c_red;
        color.setAlphaF(0.45 * dLeft);
        painter.setPen(QPen(color, c_dRadius * 1.1 * dLeft, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(m_trail.at(i).point, m_trail.at(i + 1).point);
    }
    painter.setPen(Qt::NoPen);
    // The dot itself: a bright core in a soft glow, stronger while the pen touches the board.
    const double dLeft = freshness(iNow - m_trail.last().iAtMs, c_iDotFadeMs);
    const double dGlow = c_dRadius * (m_bPressed ? 2.6 : 2.0);
    QRadialGradient glow(m_trail.last().point, dGlow);
    QColor inner = c_red, outer = c_red;
    inner.setAlphaF(0.55 * dLeft);
    outer.setAlphaF(0.0);
    glow.setColorAt(0.0, inner);
    glow.setColorAt(1.0, outer);
    painter.setBrush(glow);
    painter.drawEllipse(m_trail.last().point, dGlow, dGlow);
    QColor core = c_red;
    core.setAlphaF(dLeft);
    painter.setBrush(core);
    painter.drawEllipse(m_trail.last().point, c_dRadius * 0.55, c_dRadius * 0.55);
}
