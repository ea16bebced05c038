#include "textcomponent.h"
