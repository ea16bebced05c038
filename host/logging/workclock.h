// A clock of the host's work that plug-ins ask for (the commands that change the board and the
// batches that make them one step, the board's search for components, the pen base's removal of the
// writing's ink), for measuring programs that tell a plug-in's own time from the host's. It costs a
// test of one pointer until a program sets a hook.
#pragma once

#include <QtGlobal>

class CWorkClock
{
public:
    enum EWork
    {
        eCommand,
        eSearch,
        eInk,
        eWorkCount
    };

    // Told the nanoseconds each piece of the work took; null (the default) for no clock.
    typedef void (*FWorkDone)(EWork eWork, qint64 iNs);
    static void setHook(FWorkDone pfnHook);

    // Tells the hook the time from its making to its end, when there is a hook.
    class CScope
    {
    public:
        explicit CScope(EWork eWork);
        ~CScope();

        CScope(const CScope&) = delete;
        CScope& operator=(const CScope&) = delete;

    private:
        EWork m_eWork;
        qint64 m_iStart = -1;
    };
};
