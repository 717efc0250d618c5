#!/usr/bin/env bash
# The installed clock, as a user who may not write its folder. Installs the
# build into a prefix with a space and Chinese characters, checks the layout
# and the launcher files, then starts the installed clock on a private X
# server (Xvfb, openbox) as an unprivileged user with a home of its own:
# "置于顶层" chosen in the clock's menu is kept in the user's own folder and
# is back after a restart through the start-at-logon entry chosen with
# "开机启动", while the installed settings stay as shipped. An upgrade reaches
# the user's copy of what the program only reads and leaves the user's own
# files. A user whose data folder cannot be made still gets a running clock.
# Usage: installed_clock_test.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$1
source_dir=$2
. "$(dirname "$0")/lib.sh"

prefix="$work/pre fix/时钟 安装"
cmake --install "$build" --prefix "$prefix" >/dev/null || fail "cmake --install"

# Layout.
lib="$prefix/lib/velclock"
[ -f "$lib/velclock" ] && [ -x "$lib/velclock" ] || fail "no program in lib/velclock"
[ -d "$lib/VEL文件" ] && [ -d "$lib/image" ] || fail "no VEL文件/ or image/ beside the program"
[ "$(readlink -f "$prefix/bin/velclock")" = "$(readlink -f "$lib/velclock")" ] ||
  fail "bin/velclock does not lead to the program"
for f in "$source_dir"/resources/VEL文件/*; do
  cmp -s "$f" "$lib/VEL文件/$(basename "$f")" || fail "VEL文件/$(basename "$f") not as shipped"
done
entry="$prefix/share/applications/velclock.desktop"
desktop-file-validate "$entry" || fail "desktop-file-validate"
grep -qx 'Name=VEL时钟' "$entry" && grep -qx 'Icon=velclock' "$entry" &&
  grep -qx 'Categories=Utility;Clock;' "$entry" || fail "desktop entry keys"
grep -qx "Exec=\"$prefix/bin/velclock\"" "$entry" || fail "Exec line: $(grep ^Exec "$entry")"
for size in 48 256; do
  icon="$prefix/share/icons/hicolor/${size}x${size}/apps/velclock.png"
  [ "$(/usr/bin/identify -format '%m %wx%h' "$icon")" = "PNG ${size}x${size}" ] ||
    fail "icon $icon"
done
appstreamcli validate --no-net "$prefix"/share/metainfo/*.metainfo.xml >/dev/null ||
  fail "appstreamcli validate: $(appstreamcli validate --no-net "$prefix"/share/metainfo/*.metainfo.xml)"

# The user: "nobody" when we are root, else ourselves with the install made
# read-only (the owner may then not write it either).
user_home="$work/home"
mkdir -p "$user_home" "$work/runtime"
chmod 700 "$work/runtime"
if [ "$(id -u)" -eq 0 ]; then
  chown -R 65534:65534 "$user_home" "$work/runtime"
  as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups)
else
  chmod -R a-w "$prefix"
  as_user=()
fi
# What root may have written beside the program is not the package's: no
# user's folder gets it.
cp "$lib/image/黄山.jpg" "$lib/image/我的背景.jpg"
printf 'root' >"$lib/VEL文件/root.vel"
shipped_sums=$(cd "$lib" && find . -type f ! -name velclock -exec md5sum {} + | sort)

# A private X server and window manager.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -noreset -nolisten tcp 3>"$work/display" \
  >"$work/xvfb.log" 2>&1 &
started+=($!)
poll 15 grep -qs . "$work/display" || fail "Xvfb did not start"
export DISPLAY=":$(head -n1 "$work/display")"
poll 10 xdpyinfo >/dev/null 2>&1 || fail "X server $DISPLAY does not answer"
HOME="$work" XDG_CONFIG_DIRS=/etc/xdg openbox --sm-disable >"$work/openbox.log" 2>&1 &
started+=($!)
poll 10 sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' ||
  fail "openbox did not start"

# start_clock DATA_HOME [PROGRAM]: starts the installed command (or PROGRAM)
# as the user; sets $clock.
start_clock() {
  "${as_user[@]}" env -i PATH=/usr/bin:/bin DISPLAY="$DISPLAY" HOME="$user_home" \
    XDG_RUNTIME_DIR="$work/runtime" XDG_CONFIG_HOME="$user_home/.config" \
    XDG_CONFIG_DIRS="$work/xdg" XDG_DATA_HOME="$1" QT_QPA_PLATFORM=xcb TZ=UTC \
    PULSE_SERVER="unix:$work/no-sound-server" \
    "${2:-$prefix/bin/velclock}" >>"$work/clock.log" 2>&1 &
  clock=$!
  started+=("$clock")
}

# The clock's visible top-level windows: the surfaces inside its window are
# X windows of their own, with the same properties, whose parent is ours.
top_windows() {
  local all w parent
  all=$(xdotool search --onlyvisible --pid "$clock" 2>/dev/null || true)
  for w in $all; do
    parent=$(xwininfo -children -id "$w" 2>/dev/null | sed -n 's/.*Parent window id: \(0x[0-9a-f]*\).*/\1/p')
    [ -n "$parent" ] && grep -qx "$((parent))" <<<"$all" || echo "$w"
  done
}
# The clock's window: its top-level window at least 100 pixels wide.
clock_window() {
  local w
  for w in $(top_windows); do
    [ "$(xdotool getwindowgeometry "$w" | sed -n 's/.*Geometry: \([0-9]*\)x.*/\1/p')" -ge 100 ] &&
      window=$w && return 0
  done
  return 1
}

visible_windows() { top_windows | wc -l; }
on_top() { xprop -id "$window" _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE; }
stop_clock() { kill "$clock" && wait "$clock" 2>/dev/null || true; }

data="$user_home/.local/share"
own="$data/velclock"
start_clock "$data"
poll 20 clock_window || fail "the installed clock shows no window"
[ -d "$own/VEL文件" ] && [ -d "$own/image" ] && [ ! -L "$own/image" ] ||
  fail "no folder of the user's own in $own"
[ "$(readlink -f "$own/velclock")" = "$(readlink -f "$lib/velclock")" ] ||
  fail "$own/velclock does not lead to the program"
[ "$(sed -n 's/^[a-z]* //p' "$lib/velclock.shipped" | LC_ALL=C sort)" = \
  "$(cd "$own" && find VEL文件 image | grep / | LC_ALL=C sort)" ] ||
  fail "the user's folder is not a copy of the shipped files: $(cd "$own" && find VEL文件 image)"
# The twice-size backgrounds are shipped data too, refreshed with their partners.
grep -x 'data image/泰山@2x.jpg' "$lib/velclock.shipped" >/dev/null || fail "no 泰山@2x.jpg in the marker"

# choose ROW: a right click on the face opens the menu, then the keyboard
# picks a row (the first Down enters it at row 0).
choose() {
  eval "$(xdotool getwindowgeometry --shell "$window")"
  local before
  before=$(xdotool search --onlyvisible --pid "$clock" 2>/dev/null | wc -l)
  xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) click 3
  poll 10 sh -c "[ \$(xdotool search --onlyvisible --pid $clock 2>/dev/null | wc -l) -gt $before ]" ||
    fail "no menu after a right click"
  xdotool key $(printf 'Down %.0s' $(seq 0 "$1")) Return
  poll 5 sh -c "[ \$(xdotool search --onlyvisible --pid $clock 2>/dev/null | wc -l) -eq $before ]" ||
    fail "the menu stays open"
}

# Rows: 开机启动, 半点报时, 设定闹铃, a separator, 置于顶层.
choose 3
poll 10 on_top || fail "not on top after choosing 置于顶层"
top_caption=$(printf '置于顶层' | iconv -f UTF-8 -t GBK)
poll 5 sh -c "[ \"\$(cat '$own/VEL文件/top.vel')\" = '$top_caption' ]" ||
  fail "the user's top.vel holds '$(iconv -f GBK -t UTF-8 "$own/VEL文件/top.vel")'"
# 开机启动: the entry names the program through the user's folder.
choose 0
autostart="$user_home/.config/autostart/velclock.desktop"
poll 5 test -f "$autostart" || fail "no start-at-logon entry"
logon_program=$(sed -n 's/^Exec=//p' "$autostart")
[ "$logon_program" = "$own/velclock" ] || fail "the entry starts '$logon_program'"

# Back as the entry starts it.
stop_clock
start_clock "$data" "$logon_program"
poll 20 clock_window || fail "no window after the restart"
poll 10 on_top || fail "not on top after the restart"
stop_clock
[ "$(cd "$lib" && find . -type f ! -name velclock -exec md5sum {} + | sort)" = "$shipped_sums" ] ||
  fail "the installed settings changed"

# An upgrade: the package replaces about.vel, 泰山.jpg and a setting's
# default. The user had put a picture of their own in place of 泰山.jpg: the
# new about text reaches the user's folder, their picture and settings stay.
"${as_user[@]}" cp "$lib/image/黄山.jpg" "$own/image/泰山.jpg"
users_files() { (cd "$own" && md5sum image/泰山.jpg VEL文件/top.vel VEL文件/hour.vel); }
before_upgrade=$(users_files)
chmod -R u+w "$lib"
printf '\n%s' "$(printf '新版本' | iconv -f UTF-8 -t GBK)" >>"$lib/VEL文件/about.vel"
cp "$lib/image/长城.jpg" "$lib/image/泰山.jpg"
printf '\xB0\xEB\xB5\xE3\xB1\xA8\xCA\xB1' >"$lib/VEL文件/hour.vel"  # 半点报时
[ "$(id -u)" -eq 0 ] || chmod -R a-w "$lib"
start_clock "$data"
poll 20 clock_window || fail "no window after the upgrade"
cmp -s "$lib/VEL文件/about.vel" "$own/VEL文件/about.vel" || fail "the user's about.vel is the old one"
[ "$(users_files)" = "$before_upgrade" ] || fail "the user's own files changed: $(users_files)"
stop_clock

# A data folder that cannot be made (under a folder the user may not write):
# the clock runs with the shipped settings, makes nothing, and says so on
# stderr only.
mkdir -p "$work/locked"
[ "$(id -u)" -eq 0 ] || chmod a-w "$work/locked"
: >"$work/clock.log"
start_clock "$work/locked/data"
poll 20 clock_window || fail "no window when the data folder cannot be made"
sleep 2  # nothing to poll for: no message box may follow
[ "$(visible_windows)" -eq 1 ] || fail "more than the clock's window"
[ -z "$(ls -A "$work/locked")" ] || fail "something was made in the locked folder"
grep -q "Settings cannot be stored" "$work/clock.log" || fail "no word of it: $(cat "$work/clock.log")"
stop_clock
echo "installed clock: ok"
