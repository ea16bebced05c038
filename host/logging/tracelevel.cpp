#include "tracelevel.h"

#include <QFile>

namespace basic_logging {

tracelevel::tracelevel() = default;
tracelevel::~tracelevel() = default;

void tracelevel::operator()(const std::string& strLine) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_lines.push_back(strLine);
    // A long session at TRACE must not grow the host without bound; the file keeps everything.
    if (m_lines.size() > c_nMaxKeptLines)
        m_lines.pop_front();
    if (m_pFile) {
        m_pFile->write(strLine.data(), static_cast<qint64>(strLine.size()));
        m_pFile->write("\n", 1);
        m_pFile->flush();
    }
}

bool tracelevel::setFile(const QString& strPath)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_pFile.reset();
    if (strPath.isEmpty())
        return true;
    auto pFile = std::make_unique<QFile>(strPath);
    if (!pFile->open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text))
        return false;
    m_pFile = std::move(pFile);
    return true;
}

QString tracelevel::filePath() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_pFile ? m_pFile->fileName() : QString();
}

std::vector<std::string> tracelevel::lines() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return {m_lines.begin(), m_lines.end()};
}

void tracelevel::clear()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_lines.clear();
}

} // namespace basic_logging
