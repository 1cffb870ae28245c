#!/usr/bin/env bash
# Builds the program and starts it: the window where a display exists, else the headless mode.
# Arguments are handed to the program.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/release -j "$(nproc)" --target fragcaster
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    exec build/release/src/fragcaster "$@"
fi
echo "No display: running headless (Ctrl-C ends it)." >&2
exec build/release/src/fragcaster --headless "$@"
