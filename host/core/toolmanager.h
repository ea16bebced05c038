// The host's tools by name: registration, withdrawal and look-up. Owns the registered tools.
#pragma once

#include <QString>
#include <QStringList>
#include <boost/shared_ptr.hpp>
#include <vector>

class CTool;

class CToolManager
{
public:
    CToolManager();
    ~CToolManager();

    CToolManager(const CToolManager&) = delete;
    CToolManager& operator=(const CToolManager&) = delete;

    // Refuses a null tool, a tool without a name and a name already registered.
    bool registerTool(const boost::shared_ptr<CTool>& pTool);
    // Hands the tool back to the caller; null when no tool has that name.
    boost::shared_ptr<CTool> unregisterTool(const QString& strName);

    CTool* getToolByName(const QString& strName) const;
    boost::shared_ptr<CTool> getSharedTool(const QString& strName) const;
    QStringList getToolNames() const;

private:
    std::vector<boost::shared_ptr<CTool>>::const_iterator find(const QString& strName) const;

    std::vector<boost::shared_ptr<CTool>> m_tools;
};
