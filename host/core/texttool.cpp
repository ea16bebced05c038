#include "texttool.h"
