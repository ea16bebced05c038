#include "batchmodescope.h"
