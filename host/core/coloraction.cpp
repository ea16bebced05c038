#include "coloraction.h"
