#include "recordingrecognizer.h"

const QString CRecordingRecognizer::c_strName = QStringLiteral("recording");

QString CRecordingRecognizer::getDisplayName() const
{
    // Menus and reports should name the recognizer that actually reads.
    return m_pInner ? m_pInner->getDisplayName() : CRecognizer::getDisplayName();
}

QStringList CRecordingRecognizer::recognize(const QVector<QVector<QPointF>>& strokes)
{
    m_lastReadings = m_pInner ? m_pInner->recognize(strokes) : QStringList();
    return m_lastReadings;
}

void CRecordingRecognizer::readAhead(const QVector<QVector<QPointF>>& strokes)
{
    if (m_pInner)
        m_pInner->readAhead(strokes);
}

void CRecordingRecognizer::dropReadAhead()
{
    if (m_pInner)
        m_pInner->dropReadAhead();
}
