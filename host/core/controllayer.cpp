#include "controllayer.h"
