#include "inkcomponent.h"
