// While it lives, the commands issued form one step on the undo stack. Scopes nest.
#pragma once

#include <QtGlobal>

class CBatchModeScope
{
public:
    // iTopicID names the page the batch works on; -1 is the current page.
    explicit CBatchModeScope(qint64 iTopicID);
    ~CBatchModeScope();

    CBatchModeScope(const CBatchModeScope&) = delete;
    CBatchModeScope& operator=(const CBatchModeScope&) = delete;
};
