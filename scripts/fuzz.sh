#!/usr/bin/env bash
# Builds the fuzz targets (clang, libFuzzer, address and undefined-behaviour checks) into build-fuzz/
# and runs each for SECONDS (default 60) from a copy of its committed corpus. Exits non-zero when any
# target finds a crash, a leak, undefined behaviour or a hang; the input that did it is kept in
# build-fuzz/findings/TARGET/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"

# libclang-rt-14-dev holds libFuzzer and the sanitizers' run-time libraries for clang 14.
./scripts/setup.sh --packages-only clang libclang-rt-14-dev llvm

launcher=()
if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DTEXTPEN_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    "${launcher[@]}" >/dev/null
cmake --build build-fuzz --target fuzz --parallel "$(nproc)"

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:symbolize=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$PWD/fuzz/lsan.supp:print_suppressions=0"

failed=()
for target in fuzz_inkml fuzz_peninput fuzz_toolproperties fuzz_boardfile; do
    # The committed corpus is only read: the run grows a copy of it.
    work="build-fuzz/corpus/$target"
    findings="build-fuzz/findings/$target"
    rm -rf "$work" "$findings"
    mkdir -p "$work" "$findings"
    cp fuzz/corpus/"$target"/* "$work"/
    options=(-max_total_time="$seconds" -timeout=25 -rss_limit_mb=4096 -print_final_stats=1
        -artifact_prefix="$findings/")
    if [ "$target" = fuzz_inkml ]; then
        options+=(-dict=fuzz/inkml.dict -max_len=4096)
    elif [ "$target" = fuzz_boardfile ]; then
        # A board file is a ZIP archive: small ones, and room for a stored board.xml to grow.
        options+=(-dict=fuzz/boardfile.dict -max_len=16384)
    else
        # The board keeps what each run wrote (until it is reset), so every run ends with more
        # allocated than it began with and libFuzzer would scan the whole heap for leaks after each;
        # these two targets are checked for leaks once, when the process ends.
        options+=(-detect_leaks=0)
    fi
    echo "fuzz: $target for ${seconds}s"
    if ! "build-fuzz/fuzz/$target" "${options[@]}" "$work" >"build-fuzz/$target.log" 2>&1; then
        failed+=("$target")
        tail -n 60 "build-fuzz/$target.log" >&2
    fi
    grep -E "^#[0-9]+[[:space:]]+DONE|stat::number_of_executed_units|stat::average_exec_per_sec" \
        "build-fuzz/$target.log" || true
done

if [ ${#failed[@]} -gt 0 ]; then
    echo "fuzz: findings in ${failed[*]} (inputs in build-fuzz/findings/)" >&2
    exit 1
fi
echo "fuzz: no findings"
