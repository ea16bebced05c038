#include "enginethreads.h"

#include <QByteArray>
#include <QtGlobal>

#include <unistd.h>

void limitEngineThreads(char** argv)
{
    if (qEnvironmentVariableIsSet("OMP_THREAD_LIMIT") || !argv || !argv[0])
        return;
    qputenv("OMP_THREAD_LIMIT", "1");
    execv("/proc/self/exe", argv);
}
