// A recognizer that answers with readings given to it beforehand: the next queued list for each
// writing, or the standing answer once the queue is empty. It keeps the strokes it was given.
#pragma once

#include "recognizer.h"

#include <QList>

class CScriptedRecognizer : public CRecognizer
{
public:
    explicit CScriptedRecognizer(const QString& strName = QStringLiteral("scripted"));

    QString getName() const override { return m_strName; }
    QStringList recognize(const QVector<QVector<QPointF>>& strokes) override;

    void enqueue(const QStringList& readings) { m_queue.append(readings); }
    void setStandingAnswer(const QStringList& readings) { m_standing = readings; }
    const QList<QVector<QVector<QPointF>>>& received() const { return m_received; }
    // Forgets the strokes received so far, for a long-running host that never reads them.
    void clearReceived() { m_received.clear(); }

private:
    QString m_strName;
    QList<QStringList> m_queue;
    QStringList m_standing;
    QList<QVector<QVector<QPointF>>> m_received;
};
