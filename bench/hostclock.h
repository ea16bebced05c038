// Clocks the host's work that the plug-in asks for during a pen-up, so that a measurement can tell the
// plug-in's own time from the host's: the commands that change the board (and the batches that make
// them one step), the board's search for components under a rectangle, and the pen base's removal of
// the writing's ink. Linked into a measuring program, it stands in for those host functions: the
// dynamic linker resolves the plug-in's calls to the program's definitions first, and these time the
// call and hand it on to the host's own. Linux only, like the measurements.
#pragma once

#include <QtGlobal>

class CHostClock
{
public:
    enum EWork
    {
        eCommand,
        eSearch,
        eInk,
        eWorkCount
    };

    // Nanoseconds spent in the work since the last reset.
    static qint64 ns(EWork eWork);
    static void reset();

    // Adds the time from its making to its end to the work.
    class CScope
    {
    public:
        explicit CScope(EWork eWork);
        ~CScope();

        CScope(const CScope&) = delete;
        CScope& operator=(const CScope&) = delete;

    private:
        EWork m_eWork;
        qint64 m_iStart;
    };
};
