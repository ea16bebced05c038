#include "penutil.h"
