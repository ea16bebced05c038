#!/usr/bin/env bash
# How long the whiteboard takes to become usable and to quit, on an X display: from the launch to the
# window on screen, from the launch to the first answer of its menus (Alt+F opens the File menu, whose
# popup must appear), from choosing Deutsch in Recognizer > Handwriting Language to the answer of the
# Edit menu asked for at once, and from Ctrl+Q to the window gone and to the end of the process. The
# switch and the quit each wait SETTLE seconds before (3 by default), for the language to load as it
# does in use. Each run starts with fresh settings. Prints every run and the medians, in milliseconds.
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

# Waits until the app shows more windows than $2 (a menu has opened).
opened() {
    local waited=0
    until [ "$(visible "$1")" -gt "$2" ]; do
        sleep 0.01
        waited=$((waited + 1))
        [ "$waited" -lt 3000 ] || { echo "startquit: the menu never opened" >&2; kill "$1"; exit 1; }
    done
}

echo "run window_ms menus_ms switch_ms closed_ms quit_ms"
for run in $(seq "$runs"); do
    rm -rf "$work/config" "$work/data"
    start=$(now)
    XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data "$app" --log "$work/log" >/dev/null 2>&1 &
    pid=$!
    # Polled here: xdotool's own --sync looks only every half second.
    until window=$(xdotool search --onlyvisible --name 'Whiteboard$' 2>/dev/null | head -1) && [ -n "$window" ]; do
        sleep 0.01
    done
    shown=$(now)
    before=$(visible "$pid")
    xdotool windowfocus --sync "$window" key alt+f
    opened "$pid" "$before"
    answered=$(now)
    xdotool key Escape
    sleep "${SETTLE:-3}"
    # The language entries are the last of the Recognizer menu; Deutsch is the second.
    xdotool windowfocus --sync "$window" key alt+r
    sleep 0.3
    xdotool key Up Right
    sleep 0.3
    xdotool key Down
    sleep 0.2
    chosen=$(now)
    xdotool key Return key alt+e
    opened "$pid" "$before"
    switched=$(now)
    xdotool key Escape
    sleep "${SETTLE:-3}"
    asked=$(now)
    xdotool windowfocus --sync "$window" key ctrl+q
    while [ "$(visible "$pid")" -gt 0 ]; do sleep 0.01; done
    closed=$(now)
    wait "$pid" || true
    ended=$(now)
    echo "$run $(ms "$start" "$shown") $(ms "$start" "$answered") $(ms "$chosen" "$switched")" \
        "$(ms "$asked" "$closed") $(ms "$asked" "$ended")" | tee -a "$work/runs"
done
columns=()
for column in 2 3 4 5 6; do columns+=("$(cut -d' ' -f$column "$work/runs" | median)"); done
echo "median ${columns[*]}"
