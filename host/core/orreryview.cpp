#include "orreryview.h"
