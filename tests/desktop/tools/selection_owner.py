#!/usr/bin/python3
"""Prints the window that owns an X selection (e.g. the tray's
_NET_SYSTEM_TRAY_S0) on $DISPLAY. Exit 0 when it has an owner, 1 when not,
2 when the display cannot be opened. Uses libX11 through ctypes, so the
desktop tests need no X headers."""
import ctypes
import sys

x11 = ctypes.cdll.LoadLibrary("libX11.so.6")
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
x11.XInternAtom.restype = ctypes.c_ulong
x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
x11.XGetSelectionOwner.restype = ctypes.c_ulong
x11.XGetSelectionOwner.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
x11.XCloseDisplay.argtypes = [ctypes.c_void_p]

if len(sys.argv) != 2:
    sys.exit("usage: selection_owner.py SELECTION")
display = x11.XOpenDisplay(None)
if not display:
    sys.exit(2)
atom = x11.XInternAtom(display, sys.argv[1].encode(), 0)
owner = x11.XGetSelectionOwner(display, atom)
x11.XCloseDisplay(display)
print(hex(owner))
sys.exit(0 if owner else 1)
