// The tool-properties area's pages: for a list of tool names, the factory that builds the page shown
// while one of those tools is active.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

class QWidget;

class CToolPropertiesPerspectiveManager
{
public:
    typedef QWidget* (*FPerspectiveFactory)(QWidget* pParent);

    // Refuses an empty tool list, a null factory and a tool that already has a page.
    bool registerPerspective(const QStringList& tools, FPerspectiveFactory pfnFactory);

    // The factory for strTool, or null when the tool has no page of its own.
    FPerspectiveFactory factoryFor(const QString& strTool) const;
    // Builds the page for strTool under pParent; null when the tool has no page.
    QWidget* createPerspective(const QString& strTool, QWidget* pParent) const;
    int count() const { return static_cast<int>(m_perspectives.size()); }

private:
    struct SPerspective
    {
        QStringList tools;
        FPerspectiveFactory pfnFactory;
    };

    std::vector<SPerspective> m_perspectives;
};
