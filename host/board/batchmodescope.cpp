#include "batchmodescope.h"

#include "controllayer.h"
#include "workclock.h"

CBatchModeScope::CBatchModeScope(qint64 iTopicID)
{
    CWorkClock::CScope scope(CWorkClock::eCommand);
    // Every command works on the page it names itself; the batch only groups them.
    Q_UNUSED(iTopicID);
    CControlLayer::get()->beginBatch();
}

CBatchModeScope::~CBatchModeScope()
{
    CWorkClock::CScope scope(CWorkClock::eCommand);
    CControlLayer::get()->endBatch();
}
