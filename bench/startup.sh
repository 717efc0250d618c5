#!/usr/bin/env bash
# Start-up to the first shown clock window, median over several runs, with
# every settings file filled (on top, click-through, embedded, round, start at
# logon, chime, a place) and with all of them empty; then the CPU the idle
# program uses between timer events. Each clock runs from a copy of its run
# directory with temporary XDG folders, so nothing of the build or the
# machine's autostart folders is touched. Needs Xvfb and xdotool.
# Usage: bench/startup.sh [path/to/velclock] [runs]
set -euo pipefail
clock=${1:-build/velclock}
runs=${2:-7}
source "$(dirname "$0")/xvfb.sh"
xvfb=
work=$(mktemp -d)
trap '[ -n "$xvfb" ] && kill $xvfb 2>/dev/null || true; rm -rf "$work"' EXIT
start_xvfb
export XDG_CONFIG_HOME=$work/xdg-home XDG_CONFIG_DIRS=$work/xdg-dirs
mkdir -p "$XDG_CONFIG_HOME" "$XDG_CONFIG_DIRS"

# A run directory beside a copy of the program, its settings `filled`,
# `empty` or `large` (three files of 10 MB).
prepare() {
  local dir=$work/$1
  mkdir -p "$dir"
  cp "$clock" "$dir/"
  cp -r "$(dirname "$clock")/VEL文件" "$(dirname "$clock")/image" "$dir/"
  local s=$dir/VEL文件
  for f in start hour top mouse insert outline coordinate; do : >"$s/$f.vel"; done
  if [ "$1" = filled ]; then
    printf '\xBF\xAA\xBB\xFA\xC6\xF4\xB6\xAF' >"$s/start.vel"    # 开机启动
    printf '\xB0\xEB\xB5\xE3\xB1\xA8\xCA\xB1' >"$s/hour.vel"     # 半点报时
    printf '\xD6\xC3\xD3\xDA\xB6\xA5\xB2\xE3' >"$s/top.vel"      # 置于顶层
    printf '\xCA\xF3\xB1\xEA\xB4\xA9\xCD\xB8' >"$s/mouse.vel"    # 鼠标穿透
    printf '\xC7\xB6\xC8\xEB\xD7\xC0\xC3\xE6' >"$s/insert.vel"   # 嵌入桌面
    printf '\xD4\xB2\xD0\xCE' >"$s/outline.vel"                  # 圆形
    printf '100,120' >"$s/coordinate.vel"
  elif [ "$1" = large ]; then
    # Hand-edited or broken files: the value followed by 10 MB reads as off.
    for f in top mouse insert; do
      { printf '\xD6\xC3\xD3\xDA\xB6\xA5\xB2\xE3'; head -c 10485760 /dev/zero | tr '\0' x; } >"$s/$f.vel"
    done
  fi
  echo "$dir/$(basename "$clock")"
}

# Median start-up of the program at $2, labelled $1.
measure() {
  local times=() sorted pid start
  for _ in $(seq "$runs"); do
    start=$(date +%s%N)
    "$2" >/dev/null 2>&1 &
    pid=$!
    until xdotool search --onlyvisible --pid "$pid" >/dev/null 2>&1; do sleep 0.002; done
    times+=($(( ($(date +%s%N) - start) / 1000000 )))
    kill "$pid"; wait "$pid" 2>/dev/null || true
  done
  sorted=($(printf '%s\n' "${times[@]}" | sort -n))
  echo "start-up to first shown window, $1 settings (ms): ${times[*]}; median ${sorted[$((runs / 2))]}"
}

filled=$(prepare filled)
empty=$(prepare empty)
large=$(prepare large)
measure empty "$empty"
measure filled "$filled"
measure large "$large"

"$empty" >/dev/null 2>&1 &
pid=$!
sleep 2
ticks() { awk '{print $14 + $15}' "/proc/$pid/stat"; }
before=$(ticks); sleep 10; after=$(ticks)
hz=$(getconf CLK_TCK)
echo "idle CPU over 10 s: $(( (after - before) * 1000 / hz )) ms (clock ticks of $hz Hz)"
kill "$pid"; wait "$pid" 2>/dev/null || true
