#include "edittexthelper.h"
