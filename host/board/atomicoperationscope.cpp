#include "atomicoperationscope.h"

namespace {
int s_iDepth = 0;
} // namespace

CAtomicOperationScope::CAtomicOperationScope() : m_bOutermost(s_iDepth == 0)
{
    ++s_iDepth;
}

CAtomicOperationScope::~CAtomicOperationScope()
{
    --s_iDepth;
}

int CAtomicOperationScope::depth()
{
    return s_iDepth;
}
