// Adds up the host's work that the plug-in asks for during a pen-up, as the host's work clock
// (CWorkClock) reports it, so that a measurement can tell the plug-in's own time from the host's.
#pragma once

#include "workclock.h"

class CHostClock
{
public:
    // Sets the host's hook; from then on the work is added up.
    static void start();
    // Nanoseconds spent in the work since the last reset.
    static qint64 ns(CWorkClock::EWork eWork);
    static void reset();
};
