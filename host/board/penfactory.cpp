#include "penfactory.h"

#include "penbase.h"

#include <boost/make_shared.hpp>

boost::shared_ptr<CPenBase> CPenFactory::createPen(const QString& strDescription)
{
    const QString strType = CPenBase::getPenType(strDescription);
    if (!penTypes().contains(strType))
        return boost::shared_ptr<CPenBase>();
    const QColor color = CPenBase::decodeColor(strDescription);
    if (!color.isValid())
        return boost::shared_ptr<CPenBase>();
    return boost::make_shared<CPenBase>(strType, color);
}

QStringList CPenFactory::penTypes()
{
    return QStringList() << QStringLiteral("normal") << QStringLiteral("highlighter")
                         << QStringLiteral("edge") << QStringLiteral("shadow") << QStringLiteral("texture")
                         << QStringLiteral("tube");
}
