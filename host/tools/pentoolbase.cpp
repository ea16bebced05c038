#include "pentoolbase.h"

CPenToolBase::CPenToolBase() = default;

CPenToolBase::~CPenToolBase() = default;
