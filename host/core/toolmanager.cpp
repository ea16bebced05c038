#include "toolmanager.h"

#include "hostjournal.h"
#include "tool.h"

#include <algorithm>

CToolManager::CToolManager() = default;

CToolManager::~CToolManager()
{
    // Last registered goes first, so a tool never outlives one registered before it.
    while (!m_tools.empty())
        m_tools.pop_back();
}

bool CToolManager::registerTool(const boost::shared_ptr<CTool>& pTool)
{
    const QString strName = pTool ? pTool->getName() : QString();
    const bool bAccepted = pTool && !strName.isEmpty() && find(strName) == m_tools.end();
    if (bAccepted)
        m_tools.push_back(pTool);
    CHostJournal::record(QStringLiteral("CToolManager::registerTool %1 -> %2")
                             .arg(strName, bAccepted ? QStringLiteral("true") : QStringLiteral("false")));
    return bAccepted;
}

boost::shared_ptr<CTool> CToolManager::unregisterTool(const QString& strName)
{
    boost::shared_ptr<CTool> pTool;
    const auto it = find(strName);
    if (it != m_tools.end()) {
        pTool = *it;
        m_tools.erase(it);
    }
    CHostJournal::record(QStringLiteral("CToolManager::unregisterTool %1 -> %2")
                             .arg(strName, pTool ? QStringLiteral("tool") : QStringLiteral("null")));
    return pTool;
}

CTool* CToolManager::getToolByName(const QString& strName) const
{
    const auto it = find(strName);
    return it == m_tools.end() ? nullptr : it->get();
}

boost::shared_ptr<CTool> CToolManager::getSharedTool(const QString& strName) const
{
    const auto it = find(strName);
    return it == m_tools.end() ? boost::shared_ptr<CTool>() : *it;
}

QStringList CToolManager::getToolNames() const
{
    QStringList names;
    for (const auto& pTool : m_tools)
        names.append(pTool->getName());
    return names;
}

std::vector<boost::shared_ptr<CTool>>::const_iterator CToolManager::find(const QString& strName) const
{
    return std::find_if(m_tools.begin(), m_tools.end(), [&strName](const boost::shared_ptr<CTool>& pTool) {
        return pTool->getName() == strName;
    });
}
