// The tool base of the host's pens.
#pragma once

#include "tool.h"

class CPenToolBase : public CTool
{
public:
    CPenToolBase();
    ~CPenToolBase() override;
};
