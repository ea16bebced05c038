// Marks an operation that must not be entered again while it runs (for example a menu that runs
// its own event loop): the outermost scope is in the atomic scope, one opened inside it is not.
#pragma once

class CAtomicOperationScope
{
public:
    CAtomicOperationScope();
    ~CAtomicOperationScope();

    CAtomicOperationScope(const CAtomicOperationScope&) = delete;
    CAtomicOperationScope& operator=(const CAtomicOperationScope&) = delete;

    bool isInAtomicScope() const { return m_bOutermost; }
    static int depth();

private:
    bool m_bOutermost;
};
