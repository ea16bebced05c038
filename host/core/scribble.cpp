#include "scribble.h"
