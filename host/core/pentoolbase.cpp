#include "pentoolbase.h"
