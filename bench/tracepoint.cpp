// What a trace point costs. The plug-in's operations carry one on entry and one before each return, so
// while the level is not "TRACE" this is what every call of theirs pays when nobody traces: it is
// measured next to a call of an empty function in the same run. The cost of a written line, with the
// level at "TRACE", is measured too, for whoever turns tracing on.
#include "logsystem.h"
#include "trace.h"

#include <benchmark/benchmark.h>

namespace {

__attribute__((noinline)) void emptyOperation()
{
    benchmark::ClobberMemory();
}

__attribute__((noinline)) void tracedOperation()
{
    TRACE_ENTER("CBench::tracedOperation");
    benchmark::ClobberMemory();
}

void BM_EmptyCall(benchmark::State& state)
{
    for (auto _ : state)
        emptyOperation();
}

// Levels of the same length as "TRACE" and of another length: a comparison may stop at the length.
void BM_DisabledTracePoint(benchmark::State& state)
{
    static const char* const s_levels[] = {"INFO", "DEBUG"};
    CLogSystem::theRootInstance->setLevel(s_levels[state.range(0)]);
    for (auto _ : state)
        tracedOperation();
    state.SetLabel(s_levels[state.range(0)]);
    CLogSystem::theRootInstance->setLevel("INFO");
}

void BM_EnabledTracePoint(benchmark::State& state)
{
    CLogSystem::theRootInstance->setLevel("TRACE");
    for (auto _ : state)
        tracedOperation();
    CLogSystem::theRootInstance->setLevel("INFO");
    CLogSystem::theRootInstance->sink().clear();
}

} // namespace

BENCHMARK(BM_EmptyCall);
BENCHMARK(BM_DisabledTracePoint)->Arg(0)->Arg(1)->ArgName("level");
BENCHMARK(BM_EnabledTracePoint);

BENCHMARK_MAIN();
