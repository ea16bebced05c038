#include "batchmodescope.h"

#include "controllayer.h"
#include "workclock.h"

CBatchModeScope::CBatchModeScope(qint64 iTopicID, const QString& strName)
{
    CWorkClock::CScope scope(CWorkClock::eCommand);
    // Every command works on the page it names itself; the batch only groups them.
    Q_UNUSED(iTopicID);
    CControlLayer::get()->beginBatch(strName);
}

CBatchModeScope::~CBatchModeScope()
{
    CWorkClock::CScope scope(CWorkClock::eCommand);
    CControlLayer::get()->endBatch();
}
