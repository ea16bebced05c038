#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer into build-asan/ and runs the
# whole test suite there, the full lifecycle soak included. A memory error, a leak (LeakSanitizer at
# each test's exit) or undefined behaviour stops the test it happens in, and the run fails.
# Leaks that lie in system libraries are listed in tests/lsan.supp, each with its reason.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/setup.sh --packages-only

launcher=()
if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
# -O1 keeps the stacks readable and the build quick; debug information names every frame.
cmake -S . -B build-asan -DTEXTPEN_SANITIZE=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O1 -g -DNDEBUG" "${launcher[@]}" >/dev/null
cmake --build build-asan --parallel "$(nproc)"

supp="$(pwd)/tests/lsan.supp"
export ASAN_OPTIONS="detect_leaks=1:halt_on_error=1:check_initialization_order=1:strict_init_order=1:detect_stack_use_after_return=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=${supp}:print_suppressions=1"
# All of the soak's cycles, whatever the caller's environment asks for.
unset TEXTPEN_SOAK_CYCLES

cd build-asan
exec ctest --output-on-failure
