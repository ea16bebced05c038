#include "selectionmanager.h"
