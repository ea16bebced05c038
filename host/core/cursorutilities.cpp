#include "cursorutilities.h"
