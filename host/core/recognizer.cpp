#include "recognizer.h"
