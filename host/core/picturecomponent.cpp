#include "picturecomponent.h"
