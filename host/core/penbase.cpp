#include "penbase.h"
