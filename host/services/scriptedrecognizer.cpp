#include "scriptedrecognizer.h"

CScriptedRecognizer::CScriptedRecognizer(const QString& strName) : m_strName(strName)
{
}

QStringList CScriptedRecognizer::recognize(const QVector<QVector<QPointF>>& strokes)
{
    m_received.append(strokes);
    return m_queue.isEmpty() ? m_standing : m_queue.takeFirst();
}
