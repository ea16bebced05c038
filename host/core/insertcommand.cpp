#include "insertcommand.h"
