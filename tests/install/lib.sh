# Shared by the install tests (sourced). Temporary folder, clean-up of the
# processes a test started (by pid), failures and polling.

work=$(mktemp -d /tmp/velinstall.XXXXXX)
chmod 755 "$work"  # the unprivileged user must reach the prefix below it
started=()

cleanup() {
  local pid
  for pid in "${started[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${started[@]}"; do wait "$pid" 2>/dev/null || true; done
  chmod -R u+w "$work" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# poll SECONDS COMMAND...: true once COMMAND succeeds, false after SECONDS.
poll() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    [ "$SECONDS" -ge "$deadline" ] && return 1
    sleep 0.1
  done
}

# The file names, types and link targets of a tree, one per line.
tree_of() {
  (cd "$1" && find . -mindepth 1 -printf '%P %y %l\n' | LC_ALL=C sort)
}
