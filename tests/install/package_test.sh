#!/usr/bin/env bash
# The Debian package, checked without installing it: built with cpack into a
# temporary folder, its dependencies read with dpkg-deb -I (every library the
# program links and the CJK font), its files listed with dpkg-deb -c and
# unpacked with dpkg-deb -x: exactly what the install rules lay out, under
# /usr, owned by root, with a launcher that names /usr/bin/velclock; and
# lintian finds no error in it (copyright, changelog, maintainer, description).
# Usage: package_test.sh BUILD_DIR
set -euo pipefail
build=$1
. "$(dirname "$0")/lib.sh"

(cd "$work" && cpack -G DEB -B "$work/package" --config "$build/CPackConfig.cmake" >cpack.log 2>&1) ||
  fail "cpack: $(tail -n 20 "$work/cpack.log")"
debs=("$work"/package/velclock_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "no package in $work/package"
deb=${debs[0]}

depends=$(dpkg-deb -I "$deb" | sed -n 's/^ Depends: //p')
# Every reader in these pipes reads to the end: one that stops at its first
# match (grep -q, awk's exit) leaves the writer to die of SIGPIPE, which
# pipefail then turns into a silent failure of the whole test.
has_dependency() { tr ',' '\n' <<<"$depends" | sed 's/^ *//; s/[ (].*//' | grep -x "$1" >/dev/null; }
has_dependency fonts-wqy-zenhei || fail "no CJK font in Depends: $depends"
# The sound library is loaded at run time, out of sight of the package tools.
has_dependency libpulse0 || fail "no sound library in Depends: $depends"

dpkg-deb -x "$deb" "$work/unpacked"
program="$work/unpacked/usr/lib/velclock/velclock"
[ -x "$program" ] || fail "no program in usr/lib/velclock"
# Each library the packaged program links comes from a package it depends on.
for soname in $(readelf -d "$program" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p'); do
  path=$(/sbin/ldconfig -p | awk -v s="$soname" '$1 == s && !found { print $NF; found = 1 }')
  [ -n "$path" ] || fail "$soname is not on this machine"
  owner=$(dpkg -S "$(readlink -f "$path")" 2>/dev/null || dpkg -S "$path")
  owner=${owner%%:*}
  has_dependency "$owner" || fail "$soname ($owner) is not in Depends: $depends"
done

# The package holds exactly the installed layout, under /usr.
cmake --install "$build" --prefix "$work/installed" >/dev/null || fail "cmake --install"
[ "$(tree_of "$work/unpacked/usr")" = "$(tree_of "$work/installed")" ] ||
  fail "the package differs from the install: $(diff <(tree_of "$work/unpacked/usr") <(tree_of "$work/installed"))"
[ "$(ls -A "$work/unpacked")" = usr ] || fail "files outside /usr"
listing=$(dpkg-deb -c "$deb")
grep -q ' \./usr/bin/velclock -> \.\./lib/velclock/velclock$' <<<"$listing" ||
  fail "usr/bin/velclock is not a link to the program"
[ -z "$(awk '$2 != "root/root"' <<<"$listing")" ] || fail "files not owned by root"

entry="$work/unpacked/usr/share/applications/velclock.desktop"
desktop-file-validate "$entry" || fail "desktop-file-validate"
grep -qx 'Exec=/usr/bin/velclock' "$entry" || fail "Exec line: $(grep ^Exec "$entry")"
appstreamcli validate --no-net "$work"/unpacked/usr/share/metainfo/*.metainfo.xml >/dev/null ||
  fail "appstreamcli validate"
lintian --fail-on error "$deb" >"$work/lintian.log" 2>&1 ||
  fail "lintian: $(grep '^E:' "$work/lintian.log" || cat "$work/lintian.log")"
echo "package: ok"
