#include "timedrecognizer.h"

#include <QElapsedTimer>

QString CTimedRecognizer::getName() const
{
    return QStringLiteral("timed");
}

QString CTimedRecognizer::getDisplayName() const
{
    return m_pInner ? m_pInner->getDisplayName() : CRecognizer::getDisplayName();
}

QStringList CTimedRecognizer::recognize(const QVector<QVector<QPointF>>& strokes)
{
    QElapsedTimer timer;
    timer.start();
    m_lastReadings = m_pInner ? m_pInner->recognize(strokes) : QStringList();
    m_iLastNs = timer.nsecsElapsed();
    return m_lastReadings;
}

void CTimedRecognizer::readAhead(const QVector<QVector<QPointF>>& strokes)
{
    if (m_pInner)
        m_pInner->readAhead(strokes);
}

void CTimedRecognizer::dropReadAhead()
{
    if (m_pInner)
        m_pInner->dropReadAhead();
}
