#include "batchmodescope.h"

#include "controllayer.h"

#include <QUndoStack>

CBatchModeScope::CBatchModeScope(qint64 iTopicID)
{
    // Every command works on the page it names itself; the batch only groups them.
    Q_UNUSED(iTopicID);
    CControlLayer::get()->undoStack()->beginMacro(QStringLiteral("Batch"));
}

CBatchModeScope::~CBatchModeScope()
{
    CControlLayer::get()->undoStack()->endMacro();
}
