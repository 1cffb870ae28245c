#!/usr/bin/env bash
# Makes the README's pictures of the main tabs: the program itself, under Xvfb, replays the
# shipped demo match and saves each tab once the match is over, then the codes window and the
# server browser (fragcaster --screenshots).
# It runs from a scratch program folder whose settings name only loopback hosts and no update
# check, and it never connects IRC: nothing leaves this machine.
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-docs/screenshots}
tools/install-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/release -j 2 --target fragcaster

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$scratch/demos"
cp demos/ctf_oa_ctf4ish_x4.rec "$scratch/demos/"
printf '%s\r\n' \
    "; INI file for Orvexa -- Version 1.33" "" \
    "IRCSerSel = 127.0.0.1" "IRCServer = 127.0.0.1" "IRCChannel = #FCST" "IRCName = FCST" \
    "Q2Selected = demos/ctf_oa_ctf4ish_x4.rec" "IRCPort = 6667" \
    "Q2Server = 127.0.0.1:27960 Loopback CTF" "Q2Server = 127.0.0.1:27961 Loopback FFA" \
    "Q2Server = 127.0.0.1:27962" "MasterServer = 127.0.0.1:27950" \
    "Advanced = 1" "CheckForUpdate = 0" "" "; End of INI" >"$scratch/orvexa.ini"
# The server browser's rows, as a sweep left them: five lines a row (name, players, map, top
# player, server).
printf '%s\r\n' "harness-27974" "6 / 12" "oa_ctf4ish" "Sarge" "127.0.0.1:27960" \
    "Loopback FFA" "2 / 16" "q3dm17" "Major" "127.0.0.1:27961" \
    "-" "" "" "" "127.0.0.1:27962" >"$scratch/fcst-ql.ini"

mkdir -p "$out"
out=$(cd "$out" && pwd)
xvfb-run -a -s "-screen 0 1280x800x24" \
    build/release/src/fragcaster --dir "$scratch" --screenshots "$out"
ls -l "$out"
