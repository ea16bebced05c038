// A recognizer that stands in front of another one and clocks it: the time of the last writing and
// the sum over all, so that a measurement can take the recognizer's share out of a pen-up.
#pragma once

#include "recognizer.h"

class CTimedRecognizer : public CRecognizer
{
public:
    // The recognizer asked in its stead; not owned. Null reads nothing.
    explicit CTimedRecognizer(CRecognizer* pInner = nullptr) : m_pInner(pInner) {}

    QString getName() const override;
    QString getDisplayName() const override;
    QStringList recognize(const QVector<QVector<QPointF>>& strokes) override;
    void readAhead(const QVector<QVector<QPointF>>& strokes) override;
    void dropReadAhead() override;

    CRecognizer* inner() const { return m_pInner; }
    // Nanoseconds spent in the inner recognizer on the last writing.
    qint64 lastNs() const { return m_iLastNs; }
    QStringList lastReadings() const { return m_lastReadings; }

private:
    CRecognizer* m_pInner;
    qint64 m_iLastNs = 0;
    QStringList m_lastReadings;
};
