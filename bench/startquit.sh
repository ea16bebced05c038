#!/usr/bin/env bash
# How long the whiteboard takes to become usable and to quit, on an X display: from the launch to the
# window on screen, from the launch to the first answer of its menus (Alt+F opens the File menu, whose
# popup must appear), and from Ctrl+Q to the window gone and to the end of the process. Quitting
# waits SETTLE seconds after the menus answered (3 by default), for the handwriting language to load
# as it does in use. Each run starts with fresh settings. Prints every run and the medians, in
# milliseconds.
#   DISPLAY=:15 [SETTLE=3] bench/startquit.sh [RUNS [WHITEBOARD]]
set -euo pipefail
runs=${1:-7}
app=${2:-$(dirname "$0")/../build/bin/whiteboard}
[ -n "${DISPLAY:-}" ] || { echo "startquit: needs an X display (DISPLAY)" >&2; exit 2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
now() { date +%s%N; }
ms() { echo $((($2 - $1) / 1000000)); }
# Visible windows of the app: the main window, and a menu while one is open.
visible() { xdotool search --onlyvisible --pid "$1" 2>/dev/null | wc -l; }

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

echo "run window_ms menus_ms closed_ms quit_ms"
for run in $(seq "$runs"); do
    rm -rf "$work/config" "$work/data"
    start=$(now)
    XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data "$app" --log "$work/log" >/dev/null 2>&1 &
    pid=$!
    window=$(xdotool search --sync --onlyvisible --name '^Whiteboard$' | head -1)
    shown=$(now)
    before=$(visible "$pid")
    xdotool windowfocus --sync "$window" key alt+f
    waited=0
    until [ "$(visible "$pid")" -gt "$before" ]; do
        sleep 0.01
        waited=$((waited + 1))
        [ "$waited" -lt 3000 ] || { echo "startquit: the menu never opened" >&2; kill "$pid"; exit 1; }
    done
    answered=$(now)
    xdotool key Escape
    sleep "${SETTLE:-3}"
    asked=$(now)
    xdotool windowfocus --sync "$window" key ctrl+q
    while [ "$(visible "$pid")" -gt 0 ]; do sleep 0.01; done
    closed=$(now)
    wait "$pid" || true
    ended=$(now)
    echo "$run $(ms "$start" "$shown") $(ms "$start" "$answered") $(ms "$asked" "$closed") $(ms "$asked" "$ended")" |
        tee -a "$work/runs"
done
columns=()
for column in 2 3 4 5; do columns+=("$(cut -d' ' -f$column "$work/runs" | median)"); done
echo "median ${columns[*]}"
