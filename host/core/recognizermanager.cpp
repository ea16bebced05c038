#include "recognizermanager.h"
