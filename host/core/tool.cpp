#include "tool.h"

CTool::~CTool() = default;
