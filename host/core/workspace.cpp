#include "workspace.h"
