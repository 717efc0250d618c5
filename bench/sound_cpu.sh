#!/usr/bin/env bash
# CPU cost of playing a 16 kHz sound: runs bench_sound_cpu against a private
# PulseAudio server with a null sink and reports the client's share of a core
# (from the benchmark) and the server's (from /proc/PID/stat).
# Usage: bench/sound_cpu.sh [build folder, default build]
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
cmake --build "$build" --target bench_sound_cpu >/dev/null
dir="$(mktemp -d)"
trap 'kill "$server" 2>/dev/null || true; kill "$keep" 2>/dev/null || true; rm -rf "$dir"' EXIT
cat >"$dir/server.pa" <<PA
load-module module-native-protocol-unix auth-anonymous=1 socket=$dir/socket
load-module module-null-sink sink_name=bench_null
set-default-sink bench_null
PA
export HOME="$dir" PULSE_RUNTIME_PATH="$dir" PULSE_STATE_PATH="$dir"
pulseaudio --daemonize=no -n -F "$dir/server.pa" --exit-idle-time=-1 --use-pid-file=no \
  --realtime=no --high-priority=no >"$dir/server.log" 2>&1 &
server=$!
export PULSE_SERVER="unix:$dir/socket"
for _ in $(seq 50); do [ -S "$dir/socket" ] && break; sleep 0.1; done
# An idle null sink renders in large blocks; a listener keeps it steady.
parec --latency-msec=20 -d bench_null.monitor >/dev/null &
keep=$!
ticks() { awk '{print $14 + $15}' "/proc/$server/stat"; }
hz="$(getconf CLK_TCK)"
t0="$(ticks)"; s0="$(date +%s.%N)"
"$build/bench/bench_sound_cpu" --benchmark_counters_tabular=true
t1="$(ticks)"; s1="$(date +%s.%N)"
awk -v t="$((t1 - t0))" -v hz="$hz" -v a="$s0" -v b="$s1" \
  'BEGIN { printf "sound server: %.2f%% of a core while it ran\n", 100 * t / hz / (b - a) }'
