#include "deletecommand.h"
