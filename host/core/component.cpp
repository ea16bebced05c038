#include "component.h"
