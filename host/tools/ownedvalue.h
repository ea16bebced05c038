// Copies of values that the host keeps beyond the call that gave them. A plug-in's text may share its
// characters with a literal in the plug-in's library (QStringLiteral); the host's stores, the caches
// Qt fills from them (fonts, settings) and the plug-in's library do not end together, so the host
// keeps texts in characters of its own.
#pragma once

#include <QStringList>
#include <QVariant>

// The value with each text (a string or the strings of a list) in characters of its own; any other
// value as it is.
inline QVariant ownedValue(const QVariant& value)
{
    const int iType = value.userType();
    if (iType == QMetaType::QString) {
        const QString strValue = value.toString();
        return QString(strValue.unicode(), strValue.size());
    }
    if (iType == QMetaType::QStringList) {
        QStringList copies;
        for (const QString& strItem : value.toStringList())
            copies.append(QString(strItem.unicode(), strItem.size()));
        return copies;
    }
    return value;
}
