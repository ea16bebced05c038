#!/usr/bin/env bash
# Builds (through setup.sh) and runs every measurement in bench/, then writes a Markdown table of each
# figure, its target and whether it is met: to standard output and to build/bench/results.md. The raw
# output of each tool, with its messages (.log), stays in build/bench/results/.
#   ./scripts/bench.sh                  # BENCH_REPETITIONS (5), BENCH_ROUNDS (5) and BENCH_RUNS (11)
#                                       # set how often each figure is taken
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh >&2

export QT_QPA_PLATFORM=offscreen
bin=build/bench
raw=$bin/results
mkdir -p "$raw"
repetitions=${BENCH_REPETITIONS:-5}
gbench=(--benchmark_repetitions="$repetitions" --benchmark_report_aggregates_only=true --benchmark_format=csv)

echo "bench: trace point" >&2
"$bin/tracepoint" "${gbench[@]}" >"$raw/tracepoint.csv" 2>"$raw/tracepoint.log"
echo "bench: pen-up without recognition" >&2
"$bin/penup" "${gbench[@]}" >"$raw/penup.csv" 2>"$raw/penup.log"
echo "bench: pen-up with the handwriting recognizer" >&2
"$bin/handwriting" --rounds "${BENCH_ROUNDS:-5}" >"$raw/handwriting.txt"
echo "bench: plug-in load and set-up, tear-down and unload, memory" >&2
"$bin/pluginload" --runs "${BENCH_RUNS:-11}" >"$raw/pluginload.txt"
echo "bench: saving and opening a board of 10 pages x 1,000 components" >&2
"$bin/boardfile" "${gbench[@]}" >"$raw/boardfile.csv" 2>"$raw/boardfile.log"
# A benchmark that found its work not done as expected reports an error instead of a time.
for result in "$raw/tracepoint.csv" "$raw/penup.csv" "$raw/boardfile.csv"; do
    if grep -q ',true,"' "$result"; then
        echo "bench: a measurement failed, see $result" >&2
        exit 1
    fi
done

# The median of a column of a Google Benchmark CSV, for the benchmark named exactly $2.
csv() {
    awk -F, -v name="\"$2_median\"" -v column="$3" '
        NR == 1 || /^name,/ { for (i = 1; i <= NF; i++) { gsub(/"/, "", $i); at[$i] = i } next }
        $1 == name { print $at[column]; found = 1; exit }
        END { if (!found) print "nan" }' "$1"
}
# A "key=value" word of the last line of a tool's output.
word() {
    tail -n 1 "$1" | tr ' ' '\n' | awk -F= -v key="$2" '$1 == key { print $2 }' | tr -d '%'
}
# Arithmetic and comparisons on decimals.
calc() { awk "BEGIN { printf \"%.${2:-2}f\", $1 }"; }
met() { awk "BEGIN { print (($1) ? \"yes\" : \"**no**\") }"; }

trace=$raw/tracepoint.csv
empty_ns=$(csv "$trace" BM_EmptyCall real_time)
info_ns=$(csv "$trace" BM_DisabledTracePoint/level:0 real_time)
debug_ns=$(csv "$trace" BM_DisabledTracePoint/level:1 real_time)
traced_ns=$(csv "$trace" BM_EnabledTracePoint real_time)

penup=$raw/penup.csv
declare -A whole own recognizer command search ink alone
for n in 10 1000 10000; do
    for kind in NewBox Overwrite; do
        name=BM_PenUp$kind/$n/iterations:200/manual_time
        whole[$kind$n]=$(csv "$penup" "$name" real_time)
        own[$kind$n]=$(csv "$penup" "$name" plugin_us)
        recognizer[$kind$n]=$(csv "$penup" "$name" recognizer_us)
        command[$kind$n]=$(csv "$penup" "$name" command_us)
        search[$kind$n]=$(csv "$penup" "$name" search_us)
        ink[$kind$n]=$(csv "$penup" "$name" ink_us)
    done
    alone[$n]=$(csv "$penup" BM_BoardSearch/$n real_time)
done

board=$raw/boardfile.csv
save_svg_ms=$(csv "$board" BM_Save/svg:1/process_time/real_time real_time)
save_ms=$(csv "$board" BM_Save/svg:0/process_time/real_time real_time)
decode_ms=$(csv "$board" BM_Decode/process_time/real_time real_time)
open_ms=$(csv "$board" BM_Open/process_time/real_time real_time)

hw=$raw/handwriting.txt
load=$raw/pluginload.txt

# How many times over a figure grows from 10 to 10,000 components.
growth() { calc "$2 / $1" 1; }
# The plug-in's own work may grow with the board no faster than the board's search, as the pen-up
# meets it (with the upkeep of the board's index that falls due then).
grows_ok() {
    met "${own[${1}10000]} / ${own[${1}10]} <= ${search[${1}10000]} / ${search[${1}10]}"
}
three() { echo "$(calc "$1" "$4") / $(calc "$2" "$4") / $(calc "$3" "$4")"; }

{
    echo "| Figure | Measured | Target | Met |"
    echo "|---|---|---|---|"
    echo "| Trace point, level INFO (empty call: $(calc "$empty_ns") ns) | $(calc "$info_ns") ns, $(calc "$info_ns / $empty_ns") × the empty call | ≤ 1.5 × the empty call | $(met "$info_ns <= 1.5 * $empty_ns") |"
    echo "| Trace point, level DEBUG | $(calc "$debug_ns") ns, $(calc "$debug_ns / $empty_ns") × the empty call | ≤ 1.5 × the empty call | $(met "$debug_ns <= 1.5 * $empty_ns") |"
    echo "| Trace point, level TRACE (a line written) | $(calc "$traced_ns" 0) ns | — | — |"
    for kind in NewBox Overwrite; do
        label=$([ "$kind" = NewBox ] && echo "a new box" || echo "writing over a box")
        echo "| Pen-up, $label, no recognition: the plug-in's own work at 10 / 1,000 / 10,000 components | $(three "${own[${kind}10]}" "${own[${kind}1000]}" "${own[${kind}10000]}" 1) µs | < 1 ms at 1,000 | $(met "${own[${kind}1000]} < 1000") |"
        echo "| … its growth from 10 to 10,000 against the board's search in the pen-up ($(three "${search[${kind}10]}" "${search[${kind}1000]}" "${search[${kind}10000]}" 1) µs) | × $(growth "${own[${kind}10]}" "${own[${kind}10000]}") against × $(growth "${search[${kind}10]}" "${search[${kind}10000]}") | no faster than the search | $(grows_ok "$kind") |"
        echo "| … the host's commands / the ink's removal | $(three "${command[${kind}10]}" "${command[${kind}1000]}" "${command[${kind}10000]}" 1) µs / $(three "${ink[${kind}10]}" "${ink[${kind}1000]}" "${ink[${kind}10000]}" 1) µs | — | — |"
        echo "| … the whole pen-up | $(three "${whole[${kind}10]}" "${whole[${kind}1000]}" "${whole[${kind}10000]}" 1) µs | — | — |"
    done
    echo "| The board's search on its own, 10 / 1,000 / 10,000 components | $(three "${alone[10]}" "${alone[1000]}" "${alone[10000]}" 2) µs | — | — |"
    echo "| Pen-up to text box with \"Handwriting\", median per word ($(word "$hw" words) words × $(word "$hw" rounds), $(word "$hw" right)% read right) | $(word "$hw" median_ms) ms | < 50 ms | $(met "$(word "$hw" median_ms) < 50") |"
    echo "| … 95th percentile per word | $(word "$hw" p95_ms) ms | < 120 ms | $(met "$(word "$hw" p95_ms) < 120") |"
    echo "| … shares: drawing the ink / the engine / word search and ordering / plug-in and board | $(word "$hw" render_share)% / $(word "$hw" engine_share)% / $(word "$hw" rank_share)% / $(word "$hw" plugin_share)% | — | — |"
    echo "| Plug-in load plus set-up, median (set-up alone: $(word "$load" setup_ms) ms) | $(word "$load" load_setup_ms) ms | set-up < 50 ms | $(met "$(word "$load" setup_ms) < 50") |"
    echo "| Plug-in tear-down plus unload, median | $(word "$load" teardown_unload_ms) ms | — | — |"
    echo "| Memory the loaded, set-up plug-in adds: peak RSS (VmHWM; $(calc "$(word "$load" host_hwm_kb) / 1024" 1) MB without) | $(calc "$(word "$load" added_kb) / 1024" 1) MB | — | — |"
    echo "| … resident at the end (VmRSS; $(calc "$(word "$load" host_rss_kb) / 1024" 1) MB without) | $(calc "$(word "$load" added_rss_kb) / 1024" 1) MB | — | — |"
    echo "| Saving a board of 10 pages × 1,000 components, no SVG pages (as a background copy) | $(calc "$save_ms" 0) ms | < 300 ms | $(met "$save_ms < 300") |"
    echo "| … with the pages drawn as SVG (a save the user asks for) | $(calc "$save_svg_ms" 0) ms | < 300 ms | $(met "$save_svg_ms < 300") |"
    echo "| Opening it: reading and checking / and building the pages | $(calc "$decode_ms" 0) / $(calc "$open_ms" 0) ms | < 300 ms | $(met "$open_ms < 300") |"
} | tee "$bin/results.md"
echo "bench: the table is in $bin/results.md; $(uptime)" >&2
