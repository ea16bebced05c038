// Trace points of the plug-in's operations. A trace point writes one line to the host's log when
// the host's level is exactly "TRACE"; otherwise it asks for the level once, compares once, and
// builds nothing.
#pragma once

#include "logsystem.h"

#include <QString>
#include <string_view>

namespace textpen_trace {

// The one level that writes lines. Compared as a view, which checks the length first and stays in
// line: a std::string compared with a C string calls into the C++ library and measures the C string
// there, which costs every untraced call more than the call itself.
constexpr std::string_view c_level("TRACE");

// The file's own name out of the path the compiler was given.
constexpr const char* fileName(const char* szPath)
{
    const char* szName = szPath;
    for (const char* p = szPath; *p; ++p)
        if (*p == '/' || *p == '\\')
            szName = p + 1;
    return szName;
}

// The line reads: the file tag (".\<file>" and a TAB), the line number, a TAB, then the insertions.
inline QString location(const char* szFile, int iLine)
{
    return QString::fromLatin1(".\\") + QString::fromLatin1(fileName(szFile)) + QLatin1Char('\t') +
           QString::number(iLine, 10) + QLatin1Char('\t');
}

inline void write(const char* szFile, int iLine, const char* szWhat, const char* szName)
{
    CLogSystem::theRootInstance->logger()
        << location(szFile, iLine) << szWhat << QString::fromLatin1(szName) << basic_logging::Logger::end;
}

template <typename T>
inline void write(const char* szFile, int iLine, const char* szWhat, const char* szName, const T& value)
{
    CLogSystem::theRootInstance->logger() << location(szFile, iLine) << szWhat << QString::fromLatin1(szName)
                                          << "(" << value << ")" << basic_logging::Logger::end;
}

} // namespace textpen_trace

#define TEXTPEN_TRACE(szWhat, ...)                                                                           \
    do {                                                                                                     \
        if (CLogSystem::theRootInstance->getLevel() == ::textpen_trace::c_level)                             \
            ::textpen_trace::write(__FILE__, __LINE__, szWhat, __VA_ARGS__);                                 \
    } while (false)

// TRACE_ENTER(name) on entry, TRACE_EXIT(name) before each return; an optional second argument is
// the traced argument or result, written between "(" and ")".
#define TRACE_ENTER(...) TEXTPEN_TRACE("Enter", __VA_ARGS__)
#define TRACE_EXIT(...) TEXTPEN_TRACE("Exit", __VA_ARGS__)
