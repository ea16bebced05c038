// Reads recorded handwriting from W3C InkML: the traces, how they are grouped into pieces of writing,
// what each piece says where the file annotates it, and the resolution the pen was sampled at. Used by
// the board's replay and by the recognizer's measurement alike.
#pragma once

#include <QByteArray>
#include <QPointF>
#include <QString>
#include <QVector>

// One piece of writing: the strokes of a trace group, or of a run of traces without a pause.
struct SInkWriting
{
    QString strId;
    QString strTruth;
    QVector<QVector<QPointF>> strokes;
    // Milliseconds of each stroke's first point since the file's first; empty without a time channel.
    QVector<double> strokeStartMs;
};

class CInkMLReader
{
public:
    // Larger files are refused rather than read into memory.
    static constexpr qint64 c_iMaxFileBytes = 20 * 1024 * 1024;
    static constexpr int c_iMaxPoints = 4 * 1000 * 1000;

    // False with errorString() naming the file and the place; nothing of a failed file is kept.
    bool readFile(const QString& strPath);
    bool readData(const QByteArray& data, const QString& strSourceName);

    QString errorString() const { return m_strError; }
    // Points per inch that the file declares for X and Y; 0 where it declares none.
    double resolutionX() const { return m_dResolutionX; }
    double resolutionY() const { return m_dResolutionY; }
    int traceCount() const { return m_traces.size(); }

    // The pieces of writing in file order: one per trace group that holds traces, then, of the traces
    // that no group holds, one per run whose pauses are shorter than dPauseMs (all of them in one
    // piece where the file has no times). A file's own truth goes to its only piece when it has no
    // groups.
    QVector<SInkWriting> writings(double dPauseMs = 1000.0) const;

private:
    struct STrace
    {
        QString strId;
        QVector<QPointF> points;
        bool bTimed = false;
        double dStartMs = 0.0;
        double dEndMs = 0.0;
    };
    struct SGroup
    {
        QString strId;
        QString strTruth;
        QVector<int> traces;
    };

    class CDocumentReader;

    void clear();
    // Forgets what was read, keeps strError as the reason and answers false.
    bool fail(const QString& strError);

    QVector<STrace> m_traces;
    QVector<SGroup> m_groups;
    // What the whole file says it is, outside any group.
    QString m_strTruth;
    double m_dResolutionX = 0.0;
    double m_dResolutionY = 0.0;
    QString m_strError;
};
