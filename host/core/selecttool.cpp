#include "selecttool.h"
