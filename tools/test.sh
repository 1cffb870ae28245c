#!/usr/bin/env bash
# Builds and runs every test: each fuzz target for a few seconds over its corpus (long runs are
# made by hand before a parser change lands, see the README), the test suite, and the test suite
# again under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
tools/check-layers.sh
jobs=$(nproc)

# Runs one fuzz target for a bounded time; any fault it finds (a crash, a leak, undefined
# behaviour) fails the run, with the fuzzer's report shown.
fuzz() {
    local target=$1 seconds=$2 max_len=$3 seeds=$4
    local log="build/fuzz/$target.log"
    mkdir -p "build/fuzz/corpus_$target"
    echo "== fuzzing $target ($seconds s)"
    if ! "build/fuzz/fuzz/$target" -max_total_time="$seconds" -max_len="$max_len" \
        -print_final_stats=1 -artifact_prefix="build/fuzz/$target-" \
        "build/fuzz/corpus_$target" "$seeds" >"$log" 2>&1; then
        tail -n 60 "$log"
        echo "fuzzing $target found a fault; the input is saved in build/fuzz/"
        exit 1
    fi
    grep -E "^(Done|stat::number_of_executed_units)" "$log" || true
}

CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DFRAGCASTER_GUI=OFF -DFRAGCASTER_TESTS=OFF -DFRAGCASTER_FUZZ=ON >/dev/null
cmake --build build/fuzz -j "$jobs"
# Each target runs on one core: as many run side by side as there are cores.
targets=(
    "fuzz_reply_handler 5 4096 fuzz/seeds"
    "fuzz_irc_receive 5 20000 fuzz/seeds_irc"
    "fuzz_settings_file 3 8192 fuzz/seeds_settings"
    "fuzz_interp_receive 3 40000 fuzz/seeds_interp"
    "fuzz_recording_reader 3 8192 fuzz/seeds_recording"
    "fuzz_preview_rtf 3 4096 fuzz/seeds_preview"
    "fuzz_browser_answer 3 4096 fuzz/seeds_browser"
    "fuzz_master_answer 3 8192 fuzz/seeds_master"
    "fuzz_version_file 3 8192 fuzz/seeds_version"
    "fuzz_webhook_answer 3 4096 fuzz/seeds_webhook"
)
running=()
failed=0
for target in "${targets[@]}"; do
    # shellcheck disable=SC2086 # the words are the target's arguments
    fuzz $target &
    running+=("$!")
    if ((${#running[@]} >= jobs)); then
        wait "${running[0]}" || failed=1
        running=("${running[@]:1}")
    fi
done
for pid in "${running[@]}"; do wait "$pid" || failed=1; done
((failed == 0)) || exit 1

echo "== tests under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S . -B build/sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DFRAGCASTER_SANITIZE=ON >/dev/null
cmake --build build/sanitize -j "$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    LSAN_OPTIONS=suppressions="$PWD/tools/lsan.supp" \
    ctest --test-dir build/sanitize --output-on-failure -j "$jobs"

echo "== tests"
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DFRAGCASTER_BENCH=ON >/dev/null
cmake --build build/release -j "$jobs"
ctest --test-dir build/release --output-on-failure -j "$jobs"
