#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test (unit and desktop).
set -euo pipefail
cd "$(dirname "$0")"
bash tools/install-deps.sh
cmake -S . -B build -G Ninja >/dev/null
cmake --build build
cd build && ctest --output-on-failure --no-tests=error "$@"
