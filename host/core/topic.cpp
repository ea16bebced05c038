#include "topic.h"
