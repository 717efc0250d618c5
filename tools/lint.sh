#!/usr/bin/env bash
# Checks formatting and the layer rule: Qt and Xlib only under platform/.
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
exit $status
