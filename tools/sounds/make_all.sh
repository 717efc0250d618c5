#!/usr/bin/env bash
# Regenerates every embedded sound into resources/sounds/ (needs python3,
# espeak-ng and sox; tools/install-deps.sh installs them).
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
out="$here/../../resources/sounds"
mkdir -p "$out"
cd "$here"
python3 make_hours.py "$out"
python3 make_rings.py "$out"
ls -l "$out"
