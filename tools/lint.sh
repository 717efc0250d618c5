#!/usr/bin/env bash
# Checks formatting and the layer rules: includes run down the layers only
# (app -> forms -> library -> platform), for each layer's code and its unit
# tests, and Qt and Xlib only under platform/.
set -euo pipefail
cd "$(dirname "$0")/.."
status=0
files=$(git ls-files '*.cpp' '*.h' | grep -v '^tests/fuzz/corpus/' || true)
if [ -n "$files" ]; then
  if ! clang-format --dry-run --Werror $files 2>/dev/null; then
    echo "lint: clang-format finds unformatted files (run: clang-format -i \$(git ls-files '*.cpp' '*.h'))"
    status=1
  fi
fi
bad=$(git grep -lE '#include *<(Q[A-Za-z]+|X11/)' -- app forms library tests/unit/library tests/unit/forms tests/unit/app 2>/dev/null || true)
if [ -n "$bad" ]; then
  echo "lint: Qt or Xlib outside platform/:"; echo "$bad"; status=1
fi
bad=$(git grep -lE '#include *"platform/qt/' -- app forms library 2>/dev/null || true)
if [ -n "$bad" ]; then
  echo "lint: platform/qt included above platform/:"; echo "$bad"; status=1
fi
# A layer (and its unit tests) includes nothing from the layers above it.
upward() {  # layer, then the layers above it
  local layer=$1
  shift
  local above
  above=$(IFS='|'; echo "$*")
  git grep -nE "#include *\"($above)/" -- "$layer" "tests/unit/$layer" 2>/dev/null || true
}
bad="$(upward platform library forms app)$(upward library forms app)$(upward forms app)"
if [ -n "$bad" ]; then
  echo "lint: includes that run up a layer:"; echo "$bad"; status=1
fi
exit $status
