#include "atomicoperationscope.h"
