#include "scriptedrecognizer.h"
