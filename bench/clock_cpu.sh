#!/usr/bin/env bash
# CPU of the running clock over a minute of ticking on Xvfb, against
# `xclock -analog -update 1` measured the same way in the same run, and the
# clock's private memory. Needs Xvfb, xdpyinfo and xclock (x11-apps).
# Usage: bench/clock_cpu.sh [path/to/velclock] [seconds]
# Private memory counts the pages of Qt's libraries that no other process has
# mapped. The clock lets go of the read-only ones 1.5 s after it starts, so
# the figure after a minute is what the ticking has touched again. With
# COMPANION=1 a second copy of the clock runs beside it, as another Qt
# program would on a desktop, and the private memory shows what is the
# clock's own. When the benchmarks are built beside the clock, the CPU a bare
# wake-up from a one-second sleep costs here is printed too: no program that
# acts once a second can go below it.
set -euo pipefail
clock=${1:-build/velclock}
seconds=${2:-60}
source "$(dirname "$0")/xvfb.sh"
pids=()
xvfb=
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  kill "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT
start_xvfb

# CPU time in nanoseconds, summed over the process's threads (the X event
# reader and the sound threads count too): /proc/PID/stat counts in clock
# ticks of 10 ms, too coarse for a clock that works for well under 1 ms a
# second.
cpu_ns() { cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{s += $1} END {printf "%d", s}'; }
private_kb() { awk '/^Private_(Clean|Dirty):/ {s += $2} END {print s}' "/proc/$1/smaps_rollup"; }

if [ "${COMPANION:-0}" = 1 ]; then
  "$clock" >/dev/null 2>&1 &
  pids+=("$!")
fi
"$clock" >/dev/null 2>&1 &
vel=$!
pids+=("$vel")
have_xclock=0
if command -v xclock >/dev/null; then
  xclock -analog -update 1 >/dev/null 2>&1 &
  xc=$!
  pids+=("$xc")
  have_xclock=1
fi
floor_bin="$(dirname "$clock")/bench/bench_wake_floor"
floor_out=$(mktemp)
floor_pid=
if [ -x "$floor_bin" ]; then
  "$floor_bin" --benchmark_format=csv >"$floor_out" 2>/dev/null &
  floor_pid=$!
  pids+=("$floor_pid")
fi
sleep 3  # past start-up
v0=$(cpu_ns "$vel")
[ "$have_xclock" = 1 ] && x0=$(cpu_ns "$xc")
sleep "$seconds"
v1=$(cpu_ns "$vel")
vel_ms=$(awk -v a="$v0" -v b="$v1" 'BEGIN{printf "%.1f", (b - a) / 1e6}')
echo "velclock: ${vel_ms} ms CPU over ${seconds} s ($(awk -v m="$vel_ms" -v s="$seconds" 'BEGIN{printf "%.3f", m / s}') ms per second)"
echo "velclock private memory: $(private_kb "$vel") kB"
if [ "$have_xclock" = 1 ]; then
  x1=$(cpu_ns "$xc")
  xc_ms=$(awk -v a="$x0" -v b="$x1" 'BEGIN{printf "%.1f", (b - a) / 1e6}')
  echo "xclock:   ${xc_ms} ms CPU over ${seconds} s ($(awk -v m="$xc_ms" -v s="$seconds" 'BEGIN{printf "%.3f", m / s}') ms per second)"
  echo "ratio velclock / xclock: $(awk -v a="$vel_ms" -v b="$xc_ms" 'BEGIN{ if (b > 0) printf "%.2f", a / b; else print "n/a (xclock 0 ms)" }')"
  echo "xclock private memory: $(private_kb "$xc") kB"
fi
if [ -n "$floor_pid" ] && wait "$floor_pid"; then
  # csv: name,iterations,real_time,cpu_time,time_unit,...
  echo "a bare wake-up after 1 s: $(awk -F, '/WakeAfterOneSecond/ {printf "%.1f %s", $4, $5}' "$floor_out") of CPU"
fi
rm -f "$floor_out"
