// The base of every tool that the tool manager drives: identified by its name.
#pragma once

#include <QString>

class CTool
{
public:
    virtual ~CTool();

    virtual QString getName() const = 0;
};
