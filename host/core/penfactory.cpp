#include "penfactory.h"
