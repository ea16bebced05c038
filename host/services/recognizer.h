// A handwriting recognizer: strokes in scene coordinates in, readings out, best first.
#pragma once

#include <QPointF>
#include <QString>
#include <QStringList>
#include <QVector>

class CRecognizer
{
public:
    virtual ~CRecognizer();

    virtual QString getName() const = 0;
    // What the user sees of the recognizer in menus.
    virtual QString getDisplayName() const;
    // The readings of the whole writing, best first; empty when nothing was recognized.
    virtual QStringList recognize(const QVector<QVector<QPointF>>& strokes) = 0;

    // The writing so far, as the pen leaves the board: a recognizer may start reading it in the
    // background so that its readings are ready when the writing is handed on whole. The default
    // does nothing.
    virtual void readAhead(const QVector<QVector<QPointF>>& strokes);
    // The writing goes on: what was read ahead no longer stands for it.
    virtual void dropReadAhead();
};
