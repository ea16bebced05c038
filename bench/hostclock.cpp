#include "hostclock.h"

namespace {

qint64 s_spent[CWorkClock::eWorkCount] = {};

void addWork(CWorkClock::EWork eWork, qint64 iNs)
{
    s_spent[eWork] += iNs;
}

} // namespace

void CHostClock::start()
{
    CWorkClock::setHook(&addWork);
}

qint64 CHostClock::ns(CWorkClock::EWork eWork)
{
    return s_spent[eWork];
}

void CHostClock::reset()
{
    for (qint64& iSpent : s_spent)
        iSpent = 0;
}
