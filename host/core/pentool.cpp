#include "pentool.h"
