#!/usr/bin/env bash
# Builds and starts the whiteboard with the text pen plug-in. Without a display it runs headless:
# it loads the plug-in, sets it up and tears it down, and reports what the host was asked.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    exec ./build/bin/whiteboard --headless "$@"
fi
exec ./build/bin/whiteboard "$@"
