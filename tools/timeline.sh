#!/usr/bin/env bash
# Makes the README's picture of the demo match's timeline: the program itself draws the shipped
# recording with --timeline, offscreen, from a scratch program folder; nothing is connected.
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-docs/timeline}
tools/install-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/release -j 2 --target fragcaster

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cp demos/orvexa.ini "$scratch/"
mkdir -p "$out"
QT_QPA_PLATFORM=offscreen build/release/src/fragcaster --dir "$scratch" \
    --timeline demos/ctf_oa_ctf4ish_x4.rec --out "$out/demo.png"
QT_QPA_PLATFORM=offscreen build/release/src/fragcaster --dir "$scratch" \
    --timeline demos/ctf_oa_ctf4ish_x4.rec --out "$out/demo-small-black.png" --size 600x300 \
    --background black
ls -l "$out"
