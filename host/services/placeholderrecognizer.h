// Stands in until a real recognizer is installed: it reads every writing as "Text", with a second
// reading that says what it saw, so the user can tell that no real recognition took place.
#pragma once

#include "recognizer.h"

class CPlaceholderRecognizer : public CRecognizer
{
public:
    QString getName() const override;
    QString getDisplayName() const override;
    QStringList recognize(const QVector<QVector<QPointF>>& strokes) override;
};
