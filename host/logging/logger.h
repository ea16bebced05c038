// The host's line builder: insertions append to the line under construction, the end marker hands the
// line to the current sink. Each insertion locks on its own, so insertions chain freely.
#pragma once

#include <QMutex>
#include <sstream>
#include <string>

class QString;

namespace basic_logging {

class tracelevel;

struct LoggerEndline
{};

class Logger
{
public:
    explicit Logger(tracelevel* pSink = nullptr);

    Logger(const Logger&) = delete;
    Logger& operator=(const Logger&) = delete;

    Logger& operator<<(const QString& str);
    Logger& operator<<(const char* sz);
    Logger& operator<<(bool b);
    Logger& operator<<(const LoggerEndline&);

    tracelevel* sink() const;

    static const LoggerEndline end;

private:
    mutable QMutex m_mutex;
    tracelevel* m_pSink;
    std::stringstream m_line;
};

} // namespace basic_logging
