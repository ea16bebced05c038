#include "hostclock.h"

#include "batchmodescope.h"
#include "controllayer.h"
#include "orreryview.h"
#include "pentool.h"

#include <QElapsedTimer>
#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>

namespace {

qint64 s_spent[CHostClock::eWorkCount] = {};

QElapsedTimer& monotonicClock()
{
    static QElapsedTimer s_clock;
    if (!s_clock.isValid())
        s_clock.start();
    return s_clock;
}

// The host's own definition of a function this program stands in for.
template <typename F>
F hostFunction(const char* szSymbol)
{
    void* pFunction = dlsym(RTLD_NEXT, szSymbol);
    if (!pFunction) {
        std::fprintf(stderr, "hostclock: the host has no %s\n", szSymbol);
        std::abort();
    }
    return reinterpret_cast<F>(pFunction);
}

} // namespace

qint64 CHostClock::ns(EWork eWork)
{
    return s_spent[eWork];
}

void CHostClock::reset()
{
    for (qint64& iSpent : s_spent)
        iSpent = 0;
}

CHostClock::CScope::CScope(EWork eWork) : m_eWork(eWork), m_iStart(monotonicClock().nsecsElapsed())
{
}

CHostClock::CScope::~CScope()
{
    s_spent[m_eWork] += monotonicClock().nsecsElapsed() - m_iStart;
}

// ---- The host functions stood in for ----

bool CControlLayer::invokeInsertCommand(const boost::shared_ptr<CComponent>& pComponent, qint64 iTopicID,
                                        int iIndex)
{
    typedef bool (*F)(CControlLayer*, const boost::shared_ptr<CComponent>&, qint64, int);
    static const F s_pfnHost =
        hostFunction<F>("_ZN13CControlLayer19invokeInsertCommandERKN5boost10shared_ptrI10CComponentEExi");
    CHostClock::CScope scope(CHostClock::eCommand);
    return s_pfnHost(this, pComponent, iTopicID, iIndex);
}

bool CControlLayer::invokeUpdatePropertyCommand(qint64 iComponentID, const QString& strProperty,
                                                const QVariant& value, bool bMergeWithPrevious)
{
    typedef bool (*F)(CControlLayer*, qint64, const QString&, const QVariant&, bool);
    static const F s_pfnHost =
        hostFunction<F>("_ZN13CControlLayer27invokeUpdatePropertyCommandExRK7QStringRK8QVariantb");
    CHostClock::CScope scope(CHostClock::eCommand);
    return s_pfnHost(this, iComponentID, strProperty, value, bMergeWithPrevious);
}

QList<CComponent*> COrreryView::componentsAt(const QRectF& rect, QList<double>* pDepths,
                                             Qt::ItemSelectionMode eMode, bool bTopLevelOnly) const
{
    typedef QList<CComponent*> (*F)(const COrreryView*, const QRectF&, QList<double>*, Qt::ItemSelectionMode,
                                    bool);
    static const F s_pfnHost =
        hostFunction<F>("_ZNK11COrreryView12componentsAtERK6QRectFP5QListIdEN2Qt17ItemSelectionModeEb");
    CHostClock::CScope scope(CHostClock::eSearch);
    return s_pfnHost(this, rect, pDepths, eMode, bTopLevelOnly);
}

void CPenTool::discardDrawing()
{
    typedef void (*F)(CPenTool*);
    static const F s_pfnHost = hostFunction<F>("_ZN8CPenTool14discardDrawingEv");
    CHostClock::CScope scope(CHostClock::eInk);
    s_pfnHost(this);
}

// A batch's opening and closing are the undo stack's work, as its commands are.
CBatchModeScope::CBatchModeScope(qint64 iTopicID)
{
    typedef void (*F)(CBatchModeScope*, qint64);
    static const F s_pfnHost = hostFunction<F>("_ZN15CBatchModeScopeC1Ex");
    CHostClock::CScope scope(CHostClock::eCommand);
    s_pfnHost(this, iTopicID);
}

CBatchModeScope::~CBatchModeScope()
{
    typedef void (*F)(CBatchModeScope*);
    static const F s_pfnHost = hostFunction<F>("_ZN15CBatchModeScopeD1Ev");
    CHostClock::CScope scope(CHostClock::eCommand);
    s_pfnHost(this);
}
