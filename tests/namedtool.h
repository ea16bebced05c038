// A tool that is nothing but its name, for tests of what the host does with registered tools.
#pragma once

#include "tool.h"

class CNamedTool : public CTool
{
public:
    explicit CNamedTool(const QString& strName) : m_strName(strName) {}
    QString getName() const override { return m_strName; }

private:
    QString m_strName;
};
