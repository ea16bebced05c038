#include "workclock.h"

#include <QElapsedTimer>

namespace {

CWorkClock::FWorkDone s_pfnHook = nullptr;

qint64 nowNs()
{
    static QElapsedTimer s_clock;
    if (!s_clock.isValid())
        s_clock.start();
    return s_clock.nsecsElapsed();
}

} // namespace

void CWorkClock::setHook(FWorkDone pfnHook)
{
    s_pfnHook = pfnHook;
}

CWorkClock::CScope::CScope(EWork eWork) : m_eWork(eWork)
{
    if (s_pfnHook)
        m_iStart = nowNs();
}

CWorkClock::CScope::~CScope()
{
    if (s_pfnHook && m_iStart >= 0)
        s_pfnHook(m_eWork, nowNs() - m_iStart);
}
