#include "serviceslayer.h"
