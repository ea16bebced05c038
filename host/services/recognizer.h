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
};
