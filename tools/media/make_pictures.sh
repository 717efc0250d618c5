#!/usr/bin/env bash
# Regenerates the dial, the butterfly (each with its @2x partner at twice the
# size, for high-density screens) and the tray icon (48 and 64 pixels) in
# resources/media/, and the launcher icons in resources/desktop/.
# The backgrounds, with theirs, come from make_backgrounds.py.
# Needs python3-pil for the system python and the fonts-urw-base35 numerals.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
for script in make_dial.py make_butterfly.py make_icon.py make_desktop_icons.py; do
  /usr/bin/python3 "$here/$script"
done
