// A recognizer that stands in front of another one: it hands every writing on and keeps the readings
// it got back, so that the replay can report the alternatives the text pen was offered.
#pragma once

#include "recognizer.h"

class CRecordingRecognizer : public CRecognizer
{
public:
    static const QString c_strName;

    explicit CRecordingRecognizer(CRecognizer* pInner = nullptr) : m_pInner(pInner) {}

    // The recognizer asked in its stead; the recorder does not own it. Null reads nothing.
    void setInner(CRecognizer* pInner) { m_pInner = pInner; }
    CRecognizer* inner() const { return m_pInner; }

    QString getName() const override { return c_strName; }
    QString getDisplayName() const override;
    QStringList recognize(const QVector<QVector<QPointF>>& strokes) override;
    void readAhead(const QVector<QVector<QPointF>>& strokes) override;
    void dropReadAhead() override;

    // The readings of the last writing, best first; empty before any and after clear().
    QStringList lastReadings() const { return m_lastReadings; }
    void clear() { m_lastReadings.clear(); }

private:
    CRecognizer* m_pInner;
    QStringList m_lastReadings;
};
