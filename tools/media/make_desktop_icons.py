#!/usr/bin/python3
"""Draws the launcher icons from the same art as the notification-area icon
(make_icon.py): resources/desktop/velclock-48.png and velclock-256.png, for
the hicolor theme's 48x48 and 256x256 sizes. PNG without time stamps, so the
bytes depend only on the art and Pillow.
Run: /usr/bin/python3 tools/media/make_desktop_icons.py
"""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from make_icon import draw_art  # noqa: E402

SIZES = (48, 256)


def main():
    root = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
    for size in SIZES:
        out = os.path.join(root, "resources", "desktop", "velclock-%d.png" % size)
        draw_art(size).save(out, "PNG", optimize=True)
        print(out, os.path.getsize(out), "bytes")


if __name__ == "__main__":
    main()
