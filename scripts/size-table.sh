#!/usr/bin/env bash
# Writes docs/text-size.md: how tall the text pen's text stands for writing of each height on the
# screen. Replays the samples and a few writers of recorded handwriting at several sizes
# (whiteboard --replay --scale --json) and sets the height of each word's writing on the screen
# against the height of the letters of its text, as the replay measures both.
#   ./scripts/size-table.sh [WRITERS-FOLDER]
set -euo pipefail
cd "$(dirname "$0")/.."
writers=${1:-../shared/data/handwriting/unipen-newton}
scales="0.25 0.5 1 2 4 8"
out=docs/text-size.md

[ -x build/bin/whiteboard ] || ./scripts/setup.sh
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Settings of its own, so that the table does not depend on the recognizer language chosen last.
export XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data QT_QPA_PLATFORM=offscreen

files=(samples/*.inkml)
for writer in 04 15 28; do
    [ -f "$writers/writer-$writer.inkml" ] && files+=("$writers/writer-$writer.inkml")
done
for file in "${files[@]}"; do
    for scale in $scales; do
        ./build/bin/whiteboard --replay "$file" --scale "$scale" --json --out "$work/board.png" 2>/dev/null |
            sed "s|^|$(basename "$file") $scale |" >>"$work/lines.txt"
    done
done

python3 - "$work/lines.txt" "$scales" >"$out" <<'EOF'
import json, statistics, sys, textwrap

rows, left = [], 0
for line in open(sys.argv[1]):
    name, scale, data = line.split(" ", 2)
    word = json.loads(data)
    # A reading of two lines is set at half the size, a line each; a box written over keeps its size.
    if word.get("letterHeight") and word["writingHeight"] > 0 and word["created"] and "\n" not in word["reading"]:
        rows.append((name, float(scale), word))
    else:
        left += 1
scales = [float(s) for s in sys.argv[2].split()]
sizes = [w["fontSize"] for _, _, w in rows]
files = sorted({n for n, _, _ in rows})

print("# Text size: how tall the text pen's text stands\n")
print(textwrap.fill(
    "Made by `scripts/size-table.sh` from %d replayed words: the samples in `samples/` and writers of "
    "`unipen-newton` (%s), each replayed at --scale %s; %d more were left out (no text box, a box "
    "written over, or a reading of two lines). Writing: the height of a word's ink on the screen at "
    "the board's default zoom. Letters: the height of the glyphs of the word written (as the file "
    "annotates it), set in the font and size of the text box the text pen made, on the same screen. "
    "The font size is %.1f pt at the smallest and %.1f pt at the cap (writing under 20 px gets the "
    "smallest, over about 470 px the cap)."
    % (len(rows), ", ".join(f[:-6] for f in files if f.startswith("writer-")),
       ", ".join("%g" % s for s in scales), left, min(sizes), max(sizes)), 100) + "\n")
print("## By the height of the writing\n")
print("| writing on screen (px) | words | font size (pt) | letters (px), median | letters / writing: median (lowest to highest) | within 30 % |")
print("|---|---|---|---|---|---|")
edges = [0, 20, 25, 35, 50, 70, 100, 140, 200, 300, 470, 1e9]
for low, high in zip(edges, edges[1:]):
    band = [w for _, _, w in rows if low <= w["writingHeight"] < high]
    if not band:
        continue
    ratios = [w["letterHeight"] / w["writingHeight"] for w in band]
    within = sum(1 for r in ratios if 0.7 <= r <= 1.3)
    label = "%g to %g" % (low, high) if high < 1e9 else "%g and more" % low
    print("| %s | %d | %.0f to %.0f | %.0f | %.2f (%.2f to %.2f) | %d of %d |" % (
        label, len(band), min(w["fontSize"] for w in band), max(w["fontSize"] for w in band),
        statistics.median(w["letterHeight"] for w in band), statistics.median(ratios), min(ratios),
        max(ratios), within, len(band)))

print("\n## The samples at each size\n")
print("Writing height → letter height, in screen pixels, for each word of the samples.\n")
print("| word | " + " | ".join("--scale %g" % s for s in scales) + " |")
print("|---" * (len(scales) + 1) + "|")
for name in (f for f in files if not f.startswith("writer-")):
    pieces = []
    for n, _, w in rows:
        if n == name and w["piece"] not in pieces:
            pieces.append(w["piece"])
    for piece in pieces:
        cells = {s: w for n, s, w in rows if n == name and w["piece"] == piece}
        truth = next(iter(cells.values())).get("truth", piece)
        print("| %s (%s) | " % (truth, name[:-6]) + " | ".join(
            "%.0f → %.0f" % (cells[s]["writingHeight"], cells[s]["letterHeight"]) if s in cells else ""
            for s in scales) + " |")
EOF
echo "size-table: wrote $out"
