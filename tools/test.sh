#!/usr/bin/env bash
# Builds and runs every test: the fuzz targets for a bounded time, the test suite, and the test
# suite again under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
jobs=$(nproc)

echo "== fuzzing the reply handler (30 s)"
CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DFRAGCASTER_GUI=OFF -DFRAGCASTER_TESTS=OFF -DFRAGCASTER_FUZZ=ON >/dev/null
cmake --build build/fuzz -j "$jobs"
mkdir -p build/fuzz/corpus
build/fuzz/fuzz/fuzz_reply_handler -max_total_time=30 -max_len=4096 -print_final_stats=1 \
    build/fuzz/corpus fuzz/seeds 2>&1 | grep -E "^(Done|stat::number_of_executed_units)|ERROR|SUMMARY" || true
test "${PIPESTATUS[0]}" -eq 0

echo "== fuzzing the IRC receive handler (20 s)"
mkdir -p build/fuzz/corpus_irc
build/fuzz/fuzz/fuzz_irc_receive -max_total_time=20 -max_len=20000 -print_final_stats=1 \
    build/fuzz/corpus_irc fuzz/seeds_irc 2>&1 | grep -E "^(Done|stat::number_of_executed_units)|ERROR|SUMMARY" || true
test "${PIPESTATUS[0]}" -eq 0

echo "== fuzzing the settings file (15 s)"
mkdir -p build/fuzz/corpus_settings
build/fuzz/fuzz/fuzz_settings_file -max_total_time=15 -max_len=8192 -print_final_stats=1 \
    build/fuzz/corpus_settings fuzz/seeds_settings 2>&1 | grep -E "^(Done|stat::number_of_executed_units)|ERROR|SUMMARY" || true
test "${PIPESTATUS[0]}" -eq 0

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
