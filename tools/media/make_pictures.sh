#!/usr/bin/env bash
# Regenerates the dial, the butterfly and the tray icon in resources/media/,
# and the launcher icons in resources/desktop/.
# Needs python3-pil for the system python and the fonts-urw-base35 numerals.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
for script in make_dial.py make_butterfly.py make_icon.py make_desktop_icons.py; do
  /usr/bin/python3 "$here/$script"
done
