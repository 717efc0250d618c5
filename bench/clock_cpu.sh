#!/usr/bin/env bash
# CPU of the running clock against `xclock -analog -update 1`, in paired
# rounds on a private Xvfb: each round starts both, lets them settle, and
# measures both over the same seconds. Single rounds differ by about 15% on a
# shared machine; the median of the rounds' ratios is the figure. Memory is
# each program's anonymous private memory (Private_Dirty) and its
# proportional share of all it maps (Pss), at the end of each round. Where
# the benchmarks are built, each round also measures bench_present_floor: the
# clock's own window system presenting 10 KB a second with nothing drawn.
# Needs Xvfb, xdpyinfo and xclock (x11-apps).
# Usage: bench/clock_cpu.sh [path/to/velclock] [seconds per round] [rounds]
set -euo pipefail
clock=${1:-build/velclock}
seconds=${2:-30}
rounds=${3:-5}
command -v xclock >/dev/null || { echo "xclock is needed (x11-apps)" >&2; exit 1; }

pids=()
xvfb=
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT

# The server picks a free display and writes its number to the pipe.
display_pipe=$(mktemp -u)
mkfifo "$display_pipe"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -noreset -nolisten tcp 3>"$display_pipe" >/dev/null 2>&1 &
xvfb=$!
read -r display_number <"$display_pipe"
rm -f "$display_pipe"
export DISPLAY=:$display_number
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

# CPU time in nanoseconds, summed over the process's threads: /proc/PID/stat
# counts in clock ticks of 10 ms, too coarse for well under 1 ms a second.
cpu_ns() { cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{s += $1} END {printf "%d", s}'; }
memory() { awk '/^Private_Dirty:/ {d = $2} /^Pss:/ {p = $2} END {printf "Private_Dirty %d kB, Pss %d kB", d, p}' "/proc/$1/smaps_rollup"; }

floor_program="$(dirname "$clock")/bench/bench_present_floor"
[ -x "$floor_program" ] || floor_program=

ratios=()
for round in $(seq "$rounds"); do
  "$clock" >/dev/null 2>&1 &
  vel=$!
  xclock -analog -update 1 >/dev/null 2>&1 &
  xc=$!
  pids=("$vel" "$xc")
  if [ -n "$floor_program" ]; then
    "$floor_program" >/dev/null 2>&1 &
    floor_pid=$!
    pids+=("$floor_pid")
  fi
  sleep 3  # past start-up
  v0=$(cpu_ns "$vel")
  x0=$(cpu_ns "$xc")
  [ -n "$floor_program" ] && f0=$(cpu_ns "$floor_pid")
  sleep "$seconds"
  v1=$(cpu_ns "$vel")
  x1=$(cpu_ns "$xc")
  if [ -n "$floor_program" ]; then
    f1=$(cpu_ns "$floor_pid")
    # Ended before the memory is read: its share of the libraries it maps
    # with the clock would lower the clock's Pss.
    kill "$floor_pid" && wait "$floor_pid" 2>/dev/null || true
  fi
  vel_ms=$(awk -v a="$v0" -v b="$v1" -v s="$seconds" 'BEGIN{printf "%.3f", (b - a) / 1e6 / s}')
  xc_ms=$(awk -v a="$x0" -v b="$x1" -v s="$seconds" 'BEGIN{printf "%.3f", (b - a) / 1e6 / s}')
  ratio=$(awk -v a="$vel_ms" -v b="$xc_ms" 'BEGIN{ if (b > 0) printf "%.2f", a / b; else print "inf" }')
  ratios+=("$ratio")
  echo "round $round: velclock $vel_ms ms/s, xclock $xc_ms ms/s, ratio $ratio"
  if [ -n "$floor_program" ]; then
    echo "  present floor $(awk -v a="$f0" -v b="$f1" -v s="$seconds" -v x="$xc_ms" \
      'BEGIN{f = (b - a) / 1e6 / s; printf "%.3f ms/s, ratio to xclock %.2f", f, (x > 0 ? f / x : 0)}')"
  fi
  echo "  velclock: $(memory "$vel")"
  echo "  xclock:   $(memory "$xc")"
  kill "$vel" "$xc" 2>/dev/null || true
  wait "$vel" "$xc" 2>/dev/null || true
  pids=()
done
median=$(printf '%s\n' "${ratios[@]}" | sort -g | awk '{r[NR] = $1} END {print (NR % 2) ? r[(NR + 1) / 2] : (r[NR / 2] + r[NR / 2 + 1]) / 2}')
echo "median ratio velclock / xclock over $rounds rounds: $median"

floor_bin="$(dirname "$clock")/bench/bench_wake_floor"
if [ -x "$floor_bin" ]; then
  # csv: name,iterations,real_time,cpu_time,time_unit,...
  echo "a bare wake-up after 1 s: $("$floor_bin" --benchmark_format=csv 2>/dev/null | awk -F, '/WakeAfterOneSecond/ {printf "%.1f %s", $4, $5}') of CPU"
fi
