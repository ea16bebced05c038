#include "contextbarmanager.h"

#include "contextbarinterface.h"
#include "hostjournal.h"

#include <algorithm>

CContextbarManager::CContextbarManager() = default;

CContextbarManager::~CContextbarManager()
{
    while (!m_bars.empty())
        m_bars.pop_back();
}

bool CContextbarManager::registerContextbar(const boost::shared_ptr<CContextbarInterface>& pBar,
                                            bool bShownByHost)
{
    const QString strName = pBar ? pBar->getName() : QString();
    const bool bAccepted = pBar && !strName.isEmpty() && !getContextbar(strName);
    if (bAccepted)
        m_bars.push_back({strName, pBar, bShownByHost});
    CHostJournal::record(QStringLiteral("CContextbarManager::registerContextbar %1 %2 -> %3")
                             .arg(strName, bShownByHost ? QStringLiteral("true") : QStringLiteral("false"),
                                  bAccepted ? QStringLiteral("true") : QStringLiteral("false")));
    return bAccepted;
}

bool CContextbarManager::unregisterContextbar(const QString& strName, bool bHide)
{
    const auto it = std::find_if(m_bars.begin(), m_bars.end(),
                                 [&strName](const SEntry& entry) { return entry.strName == strName; });
    const bool bFound = it != m_bars.end();
    if (bFound) {
        if (bHide)
            it->pBar->hide();
        m_bars.erase(it);
    }
    CHostJournal::record(QStringLiteral("CContextbarManager::unregisterContextbar %1 %2 -> %3")
                             .arg(strName, bHide ? QStringLiteral("true") : QStringLiteral("false"),
                                  bFound ? QStringLiteral("true") : QStringLiteral("false")));
    return bFound;
}

CContextbarInterface* CContextbarManager::getContextbar(const QString& strName) const
{
    for (const SEntry& entry : m_bars)
        if (entry.strName == strName)
            return entry.pBar.get();
    return nullptr;
}

QStringList CContextbarManager::getContextbarNames() const
{
    QStringList names;
    for (const SEntry& entry : m_bars)
        names.append(entry.strName);
    return names;
}

bool CContextbarManager::isShownByHost(const QString& strName) const
{
    for (const SEntry& entry : m_bars)
        if (entry.strName == strName)
            return entry.bShownByHost;
    return false;
}
