#include "logsystem.h"

#include <QByteArray>

namespace {
CLogSystem s_rootLogSystem;
}

// Constant-initialised, so a plug-in loaded later never sees a null root.
CLogSystem* CLogSystem::theRootInstance = &s_rootLogSystem;

CLogSystem::CLogSystem() : m_strLevel("INFO"), m_logger(&m_sink)
{
}

std::string CLogSystem::configuredLevel(const QString& strSettingsLevel)
{
    const QByteArray env = qgetenv("WHITEBOARD_LOG_LEVEL");
    if (!env.isEmpty())
        return env.toStdString();
    if (!strSettingsLevel.isEmpty())
        return strSettingsLevel.toStdString();
    return "INFO";
}
