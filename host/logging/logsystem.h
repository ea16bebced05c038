// The host's root log system: the current level by name, the logger that trace points write to, and
// the sink that keeps the lines.
#pragma once

#include "logger.h"
#include "tracelevel.h"

#include <QString>
#include <string>

class CLogSystem
{
public:
    CLogSystem();

    CLogSystem(const CLogSystem&) = delete;
    CLogSystem& operator=(const CLogSystem&) = delete;

    static CLogSystem* theRootInstance;

    // Every trace point of a plug-in asks for the level, whether it traces or not: the answer is the
    // level itself, not a copy, so that asking costs no more than reading it. Levels are set on the
    // GUI thread, where the trace points run, before plug-ins are loaded.
    const std::string& getLevel() const { return m_strLevel; }
    void setLevel(const std::string& strLevel) { m_strLevel = strLevel; }

    basic_logging::Logger& logger() { return m_logger; }
    basic_logging::tracelevel& sink() { return m_sink; }

    // The level named by WHITEBOARD_LOG_LEVEL wins over the one in the user settings ("log/level");
    // with neither, tracing stays off.
    static std::string configuredLevel(const QString& strSettingsLevel);

private:
    std::string m_strLevel;
    basic_logging::tracelevel m_sink;
    basic_logging::Logger m_logger;
};
