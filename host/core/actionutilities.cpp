#include "actionutilities.h"
