#!/usr/bin/env bash
# Start-up to the first shown clock window, median over several runs, and the
# CPU the idle program uses between timer events. Needs Xvfb and xdotool.
# Usage: bench/startup.sh [path/to/velclock] [runs]
set -euo pipefail
clock=${1:-build/velclock}
runs=${2:-7}
source "$(dirname "$0")/xvfb.sh"
xvfb=
trap '[ -n "$xvfb" ] && kill $xvfb 2>/dev/null || true' EXIT
start_xvfb

times=()
for _ in $(seq "$runs"); do
  start=$(date +%s%N)
  "$clock" >/dev/null 2>&1 &
  pid=$!
  until xdotool search --onlyvisible --pid "$pid" >/dev/null 2>&1; do sleep 0.002; done
  times+=($(( ($(date +%s%N) - start) / 1000000 )))
  kill "$pid"; wait "$pid" 2>/dev/null || true
done
sorted=($(printf '%s\n' "${times[@]}" | sort -n))
echo "start-up to first shown window (ms): ${times[*]}; median ${sorted[$((runs / 2))]}"

"$clock" >/dev/null 2>&1 &
pid=$!
sleep 2
ticks() { awk '{print $14 + $15}' "/proc/$pid/stat"; }
before=$(ticks); sleep 10; after=$(ticks)
hz=$(getconf CLK_TCK)
echo "idle CPU over 10 s: $(( (after - before) * 1000 / hz )) ms (clock ticks of $hz Hz)"
kill "$pid"; wait "$pid" 2>/dev/null || true
