// Makes pens from pen descriptions.
#pragma once

#include <QString>
#include <QStringList>
#include <boost/shared_ptr.hpp>

class CPenBase;

class CPenFactory
{
public:
    // The pen that the description names; null for "null;", an unknown type or a missing colour.
    static boost::shared_ptr<CPenBase> createPen(const QString& strDescription);
    // The pen types the host knows: "normal", "highlighter", "edge", "shadow", "texture", "tube".
    static QStringList penTypes();
};
