#!/usr/bin/env bash
# Builds the sound player's tests with ThreadSanitizer (build-tsan) and runs
# them: the wave workers, the completion path and the player list.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build-tsan -G Ninja -DVEL_TSAN=ON -DVEL_BUILD_BENCH=OFF \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-tsan --target test_library test_platform
export TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 suppressions=$PWD/tools/tsan.supp ${TSAN_OPTIONS:-}"
export QT_QPA_PLATFORM=offscreen
build-tsan/tests/test_library --gtest_filter='Sound*'
build-tsan/tests/test_platform --gtest_filter='Audio*'
