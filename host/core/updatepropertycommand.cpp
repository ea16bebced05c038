#include "updatepropertycommand.h"
