#include "inkrenderer.h"

#include "inklayout.h"

#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <algorithm>
#include <cmath>

double CInkRenderer::slant(const QVector<QVector<QPointF>>& strokes)
{
    QRectF bounds;
    if (!CInkLayout::boundsOf(strokes, bounds) || bounds.height() <= 0.0)
        return 0.0;
    // Pen samples lie too close together for their direction to mean much; pieces of a fraction of
    // the writing's height show the stroke's course instead.
    const double dStep = bounds.height() / 20.0;
    double dSum = 0.0, dWeight = 0.0;
    for (const QVector<QPointF>& stroke : strokes) {
        QPointF anchor;
        bool bAnchored = false;
        for (const QPointF& point : stroke) {
            if (!CInkLayout::isUsable(point))
                continue;
            if (!bAnchored) {
                anchor = point;
                bAnchored = true;
                continue;
            }
            const QPointF delta = point - anchor;
            if (std::hypot(delta.x(), delta.y()) < dStep)
                continue;
            anchor = point;
            // Only strokes nearer upright than sideways say how the writing leans.
            if (std::fabs(delta.x()) >= std::fabs(delta.y()))
                continue;
            const double dLength = std::fabs(delta.y());
            dSum += delta.x() / delta.y() * dLength;
            dWeight += dLength;
        }
    }
    return dWeight > 0.0 ? dSum / dWeight : 0.0;
}

QVector<QVector<QPointF>> CInkRenderer::sheared(const QVector<QVector<QPointF>>& strokes, double dSlant)
{
    QVector<QVector<QPointF>> result = strokes;
    for (QVector<QPointF>& stroke : result)
        for (QPointF& point : stroke)
            if (CInkLayout::isUsable(point))
                point.setX(point.x() - dSlant * point.y());
    return result;
}

QImage CInkRenderer::render(const QVector<QVector<QPointF>>& strokes, double dInkLineHeight) const
{
    QRectF bounds;
    if (!CInkLayout::boundsOf(strokes, bounds))
        return QImage();
    const double dLeft = bounds.left();
    const double dTop = bounds.top();

    const double dInkWidth = bounds.width();
    const double dInkHeight = bounds.height();
    double dScale = 1.0;
    if (dInkLineHeight > 0.0 && std::isfinite(dInkLineHeight))
        dScale = m_dLineHeight / dInkLineHeight;
    else if (dInkWidth > 0.0)
        dScale = m_dLineHeight / dInkWidth;
    // A line of ink no higher than a scratch must not be blown up past the size cap.
    const double dRoomX = c_iMaxWidth - 2.0 * m_iPadding;
    const double dRoomY = c_iMaxHeight - 2.0 * m_iPadding;
    if (dInkWidth * dScale > dRoomX)
        dScale = dRoomX / dInkWidth;
    if (dInkHeight * dScale > dRoomY)
        dScale = dRoomY / dInkHeight;
    if (!(dScale > 0.0) || !std::isfinite(dScale))
        dScale = 1.0;

    const int iWidth = std::min(c_iMaxWidth, int(std::ceil(dInkWidth * dScale)) + 2 * m_iPadding + 1);
    const int iHeight = std::min(c_iMaxHeight, int(std::ceil(dInkHeight * dScale)) + 2 * m_iPadding + 1);
    QImage image(iWidth, iHeight, QImage::Format_Grayscale8);
    image.fill(Qt::white);

    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QPen pen(Qt::black, m_dPenWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    painter.setPen(pen);
    const QPointF offset(m_iPadding + 0.5, m_iPadding + 0.5);
    QVector<QPointF> points;
    for (const QVector<QPointF>& stroke : strokes) {
        points.clear();
        points.reserve(stroke.size());
        QPointF last;
        for (const QPointF& point : stroke) {
            if (!CInkLayout::isUsable(point))
                continue;
            const QPointF scaled = (point - QPointF(dLeft, dTop)) * dScale + offset;
            // Points closer than a tenth of a pixel add nothing but drawing time.
            if (!points.isEmpty() &&
                std::fabs(scaled.x() - last.x()) + std::fabs(scaled.y() - last.y()) < 0.1)
                continue;
            points.append(scaled);
            last = scaled;
        }
        if (points.size() == 1)
            painter.drawPoint(points.first());
        else if (points.size() > 1)
            painter.drawPolyline(points.constData(), points.size());
    }
    painter.end();
    return image;
}
