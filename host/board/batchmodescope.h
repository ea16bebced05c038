// While it lives, the commands issued form one step on the undo stack. Scopes nest.
#pragma once

#include <QString>

class CBatchModeScope
{
public:
    // iTopicID names the page the batch works on; -1 is the current page. An outermost batch given
    // strName is named so, rather than for the commands it holds.
    explicit CBatchModeScope(qint64 iTopicID, const QString& strName = QString());
    ~CBatchModeScope();

    CBatchModeScope(const CBatchModeScope&) = delete;
    CBatchModeScope& operator=(const CBatchModeScope&) = delete;
};
