#!/usr/bin/env bash
# CPU of the running clock against `xclock -analog -update 1`, each on an
# Xvfb of its own so that a server's work counts as its client's. Both run
# through the same seconds of every round (interleaved), the clock started
# half a second off xclock's second so that the two never wake together on a
# shared machine. CPU is read from /proc/PID/task/*/schedstat (nanoseconds;
# /proc/PID/stat counts in 10 ms ticks, too coarse for well under 1 ms a
# second), for each client and for its server. Single rounds differ by 15 %
# or more on a shared machine: the medians of the per-round ratios are the
# figures. Where the benchmarks are built, each round also measures
# bench_present_floor on a third server: the clock's own window system
# presenting 10 KB a second with nothing drawn.
# At the end: the clock's wake-ups per second (over all its threads),
# its anonymous private memory (Private_Dirty) and, with the clock running
# alone, its proportional share of all it maps (Pss).
# Needs Xvfb, xdpyinfo and xclock (x11-apps).
# Usage: bench/clock_cpu.sh [path/to/velclock] [seconds per round] [rounds]
set -euo pipefail
clock=${1:-build/velclock}
seconds=${2:-40}
rounds=${3:-5}
command -v xclock >/dev/null || { echo "xclock is needed (x11-apps)" >&2; exit 1; }

pids=()
servers=()
cleanup() {
  for p in "${pids[@]}" "${servers[@]}"; do kill "$p" 2>/dev/null || true; done
}
trap cleanup EXIT

# Starts a private Xvfb; sets server_pid and server_display. The server
# picks a free display and writes its number to the pipe.
start_server() {
  local pipe
  pipe=$(mktemp -u)
  mkfifo "$pipe"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -noreset -nolisten tcp 3>"$pipe" >/dev/null 2>&1 &
  server_pid=$!
  servers+=("$server_pid")
  read -r server_display <"$pipe"
  rm -f "$pipe"
  server_display=:$server_display
  for _ in $(seq 50); do DISPLAY=$server_display xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
}

# Waits until `offset` (0-999 ms) past the next wall-clock second.
at_ms_of_second() {
  local now_ms
  now_ms=$(date +%s%3N)
  sleep "$(awk -v n="$now_ms" -v o="$1" 'BEGIN{w = (o - n % 1000 + 2000) % 1000; printf "%.3f", w / 1000}')"
}

cpu_ns() { cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{s += $1} END {printf "%d", s}'; }
# Wake-ups: each time one of its threads goes to sleep of its own accord, it
# woke once before (timeslices would also count preemptions on a busy machine).
wakes() { cat /proc/"$1"/task/*/status 2>/dev/null | awk '/^voluntary_ctxt_switches/ {s += $2} END {printf "%d", s}'; }
memory() { awk -v k="$2" '$1 == k ":" {print $2}' "/proc/$1/smaps_rollup"; }
ms_per_s() { awk -v a="$1" -v b="$2" -v s="$seconds" 'BEGIN{printf "%.3f", (b - a) / 1e6 / s}'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN{ if (b > 0) printf "%.2f", a / b; else print "inf" }'; }
median() { printf '%s\n' "$@" | sort -g | awk '{r[NR] = $1} END {print (NR % 2) ? r[(NR + 1) / 2] : (r[NR / 2] + r[NR / 2 + 1]) / 2}'; }

floor_program="$(dirname "$clock")/bench/bench_present_floor"
[ -x "$floor_program" ] || floor_program=

start_server; xc_server=$server_pid; xc_display=$server_display
start_server; vel_server=$server_pid; vel_display=$server_display
if [ -n "$floor_program" ]; then start_server; floor_server=$server_pid; floor_display=$server_display; fi

sum_ratios=()
client_ratios=()
floor_ratios=()
wakeups=()
dirty=()
echo "load: $(cut -d' ' -f1-3 /proc/loadavg)"
echo "ms of CPU a second: client + its server = sum"
for round in $(seq "$rounds"); do
  at_ms_of_second 0
  DISPLAY=$xc_display xclock -analog -update 1 >/dev/null 2>&1 &
  xc=$!
  at_ms_of_second 500
  DISPLAY=$vel_display "$clock" >/dev/null 2>&1 &
  vel=$!
  pids=("$vel" "$xc")
  if [ -n "$floor_program" ]; then
    at_ms_of_second 250
    DISPLAY=$floor_display "$floor_program" >/dev/null 2>&1 &
    floor_pid=$!
    pids+=("$floor_pid")
  fi
  sleep 3  # past start-up
  read -r v0 vs0 x0 xs0 w0 < <(echo "$(cpu_ns "$vel") $(cpu_ns "$vel_server") $(cpu_ns "$xc") $(cpu_ns "$xc_server") $(wakes "$vel")")
  [ -n "$floor_program" ] && { f0=$(cpu_ns "$floor_pid"); fs0=$(cpu_ns "$floor_server"); }
  sleep "$seconds"
  read -r v1 vs1 x1 xs1 w1 < <(echo "$(cpu_ns "$vel") $(cpu_ns "$vel_server") $(cpu_ns "$xc") $(cpu_ns "$xc_server") $(wakes "$vel")")
  if [ -n "$floor_program" ]; then
    f1=$(cpu_ns "$floor_pid"); fs1=$(cpu_ns "$floor_server")
    # Ended before memory is read: the libraries it shares with the clock
    # would lower the clock's Pss.
    kill "$floor_pid" && wait "$floor_pid" 2>/dev/null || true
  fi
  vc=$(ms_per_s "$v0" "$v1"); vs=$(ms_per_s "$vs0" "$vs1")
  xcc=$(ms_per_s "$x0" "$x1"); xs=$(ms_per_s "$xs0" "$xs1")
  vsum=$(awk -v a="$vc" -v b="$vs" 'BEGIN{printf "%.3f", a + b}')
  xsum=$(awk -v a="$xcc" -v b="$xs" 'BEGIN{printf "%.3f", a + b}')
  sr=$(ratio "$vsum" "$xsum"); cr=$(ratio "$vc" "$xcc")
  sum_ratios+=("$sr"); client_ratios+=("$cr")
  wakeups+=("$(awk -v a="$w0" -v b="$w1" -v s="$seconds" 'BEGIN{printf "%.2f", (b - a) / s}')")
  dirty+=("$(memory "$vel" Private_Dirty)")
  echo "round $round: velclock $vc + $vs = $vsum; xclock $xcc + $xs = $xsum; sum ratio $sr, client ratio $cr; velclock wakes ${wakeups[-1]}/s, Private_Dirty ${dirty[-1]} kB (xclock $(memory "$xc" Private_Dirty) kB)"
  if [ -n "$floor_program" ]; then
    fc=$(ms_per_s "$f0" "$f1"); fsv=$(ms_per_s "$fs0" "$fs1")
    fsum=$(awk -v a="$fc" -v b="$fsv" 'BEGIN{printf "%.3f", a + b}')
    floor_ratios+=("$(ratio "$fsum" "$xsum")")
    echo "  present floor $fc + $fsv = $fsum, sum ratio ${floor_ratios[-1]}"
  fi
  kill "$vel" "$xc" 2>/dev/null || true
  wait "$vel" "$xc" 2>/dev/null || true
  pids=()
done
echo "medians over $rounds rounds of $seconds s: sum ratio $(median "${sum_ratios[@]}"), client ratio $(median "${client_ratios[@]}")${floor_program:+, present floor sum ratio $(median "${floor_ratios[@]}")}"
echo "velclock: $(median "${wakeups[@]}") wake-ups/s, Private_Dirty $(median "${dirty[@]}") kB"

# Pss with nothing else running that shares its libraries.
kill "$xc_server" 2>/dev/null || true
[ -n "$floor_program" ] && { kill "$floor_server" 2>/dev/null || true; }
DISPLAY=$vel_display "$clock" >/dev/null 2>&1 &
vel=$!
pids=("$vel")
sleep 3
echo "velclock alone: Pss $(memory "$vel" Pss) kB, Private_Dirty $(memory "$vel" Private_Dirty) kB"
echo "load: $(cut -d' ' -f1-3 /proc/loadavg)"
