#include "controlsignalsource.h"

CControlSignalSource* CControlSignalSource::get()
{
    static CControlSignalSource s_source;
    return &s_source;
}
