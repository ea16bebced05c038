#include "placeholderrecognizer.h"
