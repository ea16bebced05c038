// How every measuring program starts: with the recognition engine held to one thread, as the app runs
// it, and on Qt's offscreen platform unless the caller chose another, so no display is needed.
#pragma once

#include "enginethreads.h"

#include <QByteArray>
#include <QtGlobal>

inline void startMeasuring(char** argv)
{
    limitEngineThreads(argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}
