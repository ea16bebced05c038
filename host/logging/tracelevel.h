// The sink of the host's log: it takes finished lines, keeps the recent ones in memory and appends
// them to the log file when one is set.
#pragma once

#include <QString>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

class QFile;

namespace basic_logging {

class tracelevel
{
public:
    tracelevel();
    ~tracelevel();

    tracelevel(const tracelevel&) = delete;
    tracelevel& operator=(const tracelevel&) = delete;

    void operator()(const std::string& strLine) const;

    // Lines go to this file as well (one per line); an empty path closes it. Returns false when the
    // file cannot be opened, leaving the memory log working.
    bool setFile(const QString& strPath);
    QString filePath() const;

    std::vector<std::string> lines() const;
    void clear();

    static constexpr std::size_t c_nMaxKeptLines = 10000;

private:
    mutable std::mutex m_mutex;
    mutable std::deque<std::string> m_lines;
    std::unique_ptr<QFile> m_pFile;
};

} // namespace basic_logging
