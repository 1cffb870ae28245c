#!/usr/bin/env bash
# Builds the program and starts it: the window where a display exists, else the headless mode.
# Arguments are handed to the program. Headless without arguments, it replays the shipped demo
# match at high speed and prints what the bot says, from a program folder of its own
# (build/release/demo) holding the demo's settings.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/release -j "$(nproc)" --target fragcaster
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    exec build/release/src/fragcaster "$@"
fi
if [ $# -eq 0 ]; then
    demo=build/release/demo
    mkdir -p "$demo/demos"
    cp demos/orvexa.ini "$demo/"
    cp demos/ctf_oa_ctf4ish_x4.rec "$demo/demos/"
    echo "No display: replaying the shipped demo match headless (see README, Headless mode)." >&2
    exec build/release/src/fragcaster --headless --dir "$demo" \
        --replay demos/ctf_oa_ctf4ish_x4.rec --speed 1000
fi
echo "No display: running headless (Ctrl-C ends it)." >&2
exec build/release/src/fragcaster --headless "$@"
