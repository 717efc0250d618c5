#!/usr/bin/env bash
# Installs what is missing, builds, and starts the clock from build/.
set -euo pipefail
cd "$(dirname "$0")"
bash tools/install-deps.sh
cmake -S . -B build -G Ninja -DVEL_BUILD_TESTS=OFF -DVEL_BUILD_BENCH=OFF >/dev/null
cmake --build build --target velclock
cd build && exec ./velclock
