#!/usr/bin/env bash
# Builds and starts the whiteboard with the text pen plug-in. Without a display it replays a shipped
# sample of real handwriting with the text pen instead: one JSON line per word, and the board as PNG.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    board=build/replay-board.png
    ./build/bin/whiteboard --replay samples/advertisements.inkml --out "$board" --json "$@"
    echo "The board is in $(pwd)/$board"
    exit 0
fi
exec ./build/bin/whiteboard "$@"
