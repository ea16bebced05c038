#include "placeholderrecognizer.h"

QString CPlaceholderRecognizer::getName() const
{
    return QStringLiteral("placeholder");
}

QString CPlaceholderRecognizer::getDisplayName() const
{
    return QStringLiteral("Placeholder (no real recognition)");
}

QStringList CPlaceholderRecognizer::recognize(const QVector<QVector<QPointF>>& strokes)
{
    if (strokes.isEmpty())
        return QStringList();
    // The second reading tells the user that the writing arrived but was not really read.
    return QStringList{QStringLiteral("Text"), QStringLiteral("%1 strokes").arg(strokes.size())};
}
