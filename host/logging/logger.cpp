#include "logger.h"

#include "tracelevel.h"

#include <QString>

namespace basic_logging {

const LoggerEndline Logger::end{};

Logger::Logger(tracelevel* pSink) : m_pSink(pSink)
{
}

Logger& Logger::operator<<(const QString& str)
{
    QMutexLocker lock(&m_mutex);
    // The text goes in as written. Routing it through Qt 5's QUrl, as the older host did, would
    // lower-case a leading "Name:" as a URL scheme and percent-encode backslashes and TABs.
    m_line << str.toUtf8().constData() << ' ';
    return *this;
}

Logger& Logger::operator<<(const char* sz)
{
    QMutexLocker lock(&m_mutex);
    m_line << (sz ? sz : "") << ' ';
    return *this;
}

Logger& Logger::operator<<(bool b)
{
    QMutexLocker lock(&m_mutex);
    m_line << b << ' ';
    return *this;
}

Logger& Logger::operator<<(const LoggerEndline&)
{
    QMutexLocker lock(&m_mutex);
    if (m_pSink)
        (*m_pSink)(m_line.str());
    m_line.str(std::string());
    m_line.clear();
    return *this;
}

tracelevel* Logger::sink() const
{
    QMutexLocker lock(&m_mutex);
    return m_pSink;
}

} // namespace basic_logging
