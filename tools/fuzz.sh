#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded time.
# Usage: tools/fuzz.sh [seconds per target]
set -euo pipefail
cd "$(dirname "$0")/.."
SECONDS_EACH="${1:-20}"
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DVEL_BUILD_FUZZ=ON \
  -DVEL_BUILD_TESTS=OFF -DVEL_BUILD_BENCH=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-fuzz --target fuzz_all
for f in build-fuzz/tests/fuzz/fuzz_*; do
  [ -x "$f" ] || continue
  name="$(basename "$f")"
  corpus="tests/fuzz/corpus/${name#fuzz_}"
  work="build-fuzz/corpus/${name#fuzz_}"
  mkdir -p "$work"
  [ -d "$corpus" ] && cp -r "$corpus/." "$work/"
  echo "-- $name for ${SECONDS_EACH}s"
  # Undefined behaviour (pointer overflow, float-to-integer overflow ...) stops
  # the run like a crash instead of scrolling past as a warning.
  ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 "$f" -max_total_time="$SECONDS_EACH" -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=0 "$work" 2>&1 | tail -n 3
  [ "${PIPESTATUS[0]}" -eq 0 ] || { echo "fuzzer $name failed"; exit 1; }
done
