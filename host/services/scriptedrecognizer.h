// A recognizer that answers with readings given to it beforehand: the next queued list for each
// writing, or the standing answer once the queue is empty. It keeps the strokes it was given, and
// those it was given to read ahead.
#pragma once

#include "recognizer.h"

#include <QList>

class CScriptedRecognizer : public CRecognizer
{
public:
    explicit CScriptedRecognizer(const QString& strName = QStringLiteral("scripted"));

    QString getName() const override { return m_strName; }
    QStringList recognize(const QVector<QVector<QPointF>>& strokes) override;
    void readAhead(const QVector<QVector<QPointF>>& strokes) override { m_readAhead.append(strokes); }
    void dropReadAhead() override { m_readAhead.append(QVector<QVector<QPointF>>()); }

    void enqueue(const QStringList& readings) { m_queue.append(readings); }
    void setStandingAnswer(const QStringList& readings) { m_standing = readings; }
    const QList<QVector<QVector<QPointF>>>& received() const { return m_received; }
    // The writing given to read ahead, in order, with no strokes where what was read was dropped.
    const QList<QVector<QVector<QPointF>>>& readAheads() const { return m_readAhead; }
    // Forgets the strokes received so far, for a long-running host that never reads them.
    void clearReceived() { m_received.clear(); }

private:
    QString m_strName;
    QList<QStringList> m_queue;
    QStringList m_standing;
    QList<QVector<QVector<QPointF>>> m_received;
    QList<QVector<QVector<QPointF>>> m_readAhead;
};
