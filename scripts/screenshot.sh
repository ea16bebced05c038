#!/usr/bin/env bash
# Takes docs/screenshot.png: the whiteboard on a virtual display (Xvfb), the text pen picked from the
# Tools menu, recorded handwriting drawn with the mouse the way a teacher's hand would move it, and the
# screen captured once the writing has become text boxes.
#   ./scripts/screenshot.sh [FILE.inkml [FIRST-WORD [WORD-COUNT]]]
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh --packages-only xvfb xdotool imagemagick python3
./scripts/setup.sh

ink=${1:-samples/advertisements.inkml}
first=${2:-0}
count=${3:-3}
out=docs/screenshot.png

work=$(mktemp -d)
display=:$((90 + RANDOM % 100))
cleanup() {
    [ -n "${app:-}" ] && kill "$app" 2>/dev/null || true
    [ -n "${xvfb:-}" ] && kill "$xvfb" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=$display
for _ in $(seq 50); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done

# A settings folder of its own, so that the picture does not depend on whoever ran it last.
export XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data
./build/bin/whiteboard --log "$work/whiteboard.log" >"$work/out.txt" 2>&1 &
app=$!
window=$(xdotool search --sync --onlyvisible --name 'Whiteboard$' | head -1)
xdotool windowmove "$window" 0 0 windowsize "$window" 1280 800 windowfocus --sync "$window"
sleep 1

# Tools > Text-Pen, the entry after the laser pen, by keyboard.
xdotool key --delay 150 alt+t Down Return
sleep 0.5

# The board's top-left corner on the screen, from the window's geometry and the app's layout.
eval "$(xdotool getwindowgeometry --shell "$window")"
python3 - "$ink" "$first" "$count" "$X" "$Y" >"$work/strokes.txt" <<'EOF'
import sys, xml.etree.ElementTree as ET
ns = {"i": "http://www.w3.org/2003/InkML"}
path, first, count, wx, wy = sys.argv[1], int(sys.argv[2]), int(sys.argv[3]), int(sys.argv[4]), int(sys.argv[5])
root = ET.parse(path).getroot()
traces = {t.get("{http://www.w3.org/XML/1998/namespace}id"): t for t in root.iter("{%s}trace" % ns["i"])}
groups = [g for g in root.iter("{%s}traceGroup" % ns["i"]) if g.find("i:traceView", ns) is not None]
words = []
for group in groups[first:first + count]:
    strokes = []
    for view in group.findall("i:traceView", ns):
        text = traces[view.get("traceDataRef").lstrip("#")].text
        strokes.append([tuple(float(v) for v in p.split()[:2]) for p in text.split(",") if p.strip()])
    words.append(strokes)
# Each word on its own line, about 70 pixels tall, as a teacher writes on a board.
x, y = wx + 160, wy + 220
for strokes in words:
    xs = [p[0] for s in strokes for p in s]
    ys = [p[1] for s in strokes for p in s]
    scale = 70.0 / max(1.0, max(ys) - min(ys))
    parts = []
    for s in strokes:
        pts = [(round(x + (px - min(xs)) * scale), round(y + (py - min(ys)) * scale)) for px, py in s]
        # A short wait after each move, as a hand gives: events sent at once would be merged into
        # one move by the window system, and the curves of the writing lost.
        parts.append("mousemove %d %d mousedown 1 " % pts[0]
                     + " ".join("mousemove %d %d sleep 0.004" % p for p in pts[1:]) + " mouseup 1")
    print(" ".join(parts))
    y += 130
EOF

while read -r word; do
    # shellcheck disable=SC2086
    xdotool $word
    # The pen's pause (one second) ends the writing; the recognizer then reads it.
    sleep 2.5
done <"$work/strokes.txt"
xdotool mousemove 1000 700
sleep 1

mkdir -p docs
import -window root "$out"
echo "screenshot: wrote $out"
