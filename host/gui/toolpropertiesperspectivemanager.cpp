#include "toolpropertiesperspectivemanager.h"

#include "hostjournal.h"

bool CToolPropertiesPerspectiveManager::registerPerspective(const QStringList& tools,
                                                            FPerspectiveFactory pfnFactory)
{
    bool bAccepted = !tools.isEmpty() && pfnFactory;
    for (const QString& strTool : tools)
        bAccepted = bAccepted && !strTool.isEmpty() && !factoryFor(strTool);
    if (bAccepted)
        m_perspectives.push_back({tools, pfnFactory});
    CHostJournal::record(
        QStringLiteral("CToolPropertiesPerspectiveManager::registerPerspective %1 -> %2")
            .arg(tools.join(QLatin1Char(',')), bAccepted ? QStringLiteral("true") : QStringLiteral("false")));
    return bAccepted;
}

CToolPropertiesPerspectiveManager::FPerspectiveFactory
CToolPropertiesPerspectiveManager::factoryFor(const QString& strTool) const
{
    for (const SPerspective& perspective : m_perspectives)
        if (perspective.tools.contains(strTool))
            return perspective.pfnFactory;
    return nullptr;
}

QWidget* CToolPropertiesPerspectiveManager::createPerspective(const QString& strTool, QWidget* pParent) const
{
    const FPerspectiveFactory pfnFactory = factoryFor(strTool);
    return pfnFactory ? pfnFactory(pParent) : nullptr;
}
