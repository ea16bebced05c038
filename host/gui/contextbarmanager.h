// The host's context bars by name. The flag given at registration says whether the host shows the bar
// by itself while the bar's tool is selected; the flag given at withdrawal whether the bar is hidden
// at once.
#pragma once

#include <QString>
#include <QStringList>
#include <boost/shared_ptr.hpp>
#include <vector>

class CContextbarInterface;

class CContextbarManager
{
public:
    CContextbarManager();
    ~CContextbarManager();

    CContextbarManager(const CContextbarManager&) = delete;
    CContextbarManager& operator=(const CContextbarManager&) = delete;

    // Refuses a null bar, one without a name and a name already registered.
    bool registerContextbar(const boost::shared_ptr<CContextbarInterface>& pBar, bool bShownByHost);
    // False when no bar has that name.
    bool unregisterContextbar(const QString& strName, bool bHide);

    CContextbarInterface* getContextbar(const QString& strName) const;
    QStringList getContextbarNames() const;
    bool isShownByHost(const QString& strName) const;

private:
    struct SEntry
    {
        QString strName;
        boost::shared_ptr<CContextbarInterface> pBar;
        bool bShownByHost;
    };

    std::vector<SEntry> m_bars;
};
