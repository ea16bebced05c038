#include "normalpentool.h"
