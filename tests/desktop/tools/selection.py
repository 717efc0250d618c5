#!/usr/bin/python3
"""An X selection on $DISPLAY, through libX11 by ctypes, so the desktop tests
need no X headers.
  selection.py owner SELECTION  prints the window that owns it (e.g. the
                                tray's _NET_SYSTEM_TRAY_S0); exit 1 when none.
  selection.py text SELECTION   prints its UTF-8 text (e.g. PRIMARY); exit 1
                                when nobody owns it or it gives no text in time.
Exit 2 when the display cannot be opened."""
import ctypes
import sys
import time

x11 = ctypes.cdll.LoadLibrary("libX11.so.6")
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
x11.XDefaultRootWindow.restype = ctypes.c_ulong
x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
x11.XInternAtom.restype = ctypes.c_ulong
x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
x11.XGetSelectionOwner.restype = ctypes.c_ulong
x11.XGetSelectionOwner.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
x11.XCreateSimpleWindow.restype = ctypes.c_ulong
x11.XCreateSimpleWindow.argtypes = [ctypes.c_void_p, ctypes.c_ulong] + [ctypes.c_int] * 2 + \
    [ctypes.c_uint] * 3 + [ctypes.c_ulong] * 2
x11.XConvertSelection.argtypes = [ctypes.c_void_p] + [ctypes.c_ulong] * 5
x11.XCheckTypedWindowEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int,
                                       ctypes.c_void_p]
x11.XGetWindowProperty.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong,
                                   ctypes.c_long, ctypes.c_long, ctypes.c_int, ctypes.c_ulong,
                                   ctypes.POINTER(ctypes.c_ulong), ctypes.POINTER(ctypes.c_int),
                                   ctypes.POINTER(ctypes.c_ulong),
                                   ctypes.POINTER(ctypes.c_ulong),
                                   ctypes.POINTER(ctypes.c_void_p)]
x11.XFree.argtypes = [ctypes.c_void_p]
x11.XFlush.argtypes = [ctypes.c_void_p]
x11.XCloseDisplay.argtypes = [ctypes.c_void_p]

SELECTION_NOTIFY = 31
CURRENT_TIME = 0


def owner(display, selection):
    window = x11.XGetSelectionOwner(display, selection)
    print(hex(window))
    return 0 if window else 1


def text(display, selection):
    utf8 = x11.XInternAtom(display, b"UTF8_STRING", 0)
    into = x11.XInternAtom(display, b"VEL_SELECTION_TEXT", 0)
    window = x11.XCreateSimpleWindow(display, x11.XDefaultRootWindow(display), 0, 0, 1, 1, 0, 0,
                                     0)
    x11.XConvertSelection(display, selection, utf8, into, window, CURRENT_TIME)
    x11.XFlush(display)
    event = ctypes.create_string_buffer(192)  # an XEvent
    deadline = time.monotonic() + 3
    while not x11.XCheckTypedWindowEvent(display, window, SELECTION_NOTIFY, event):
        if time.monotonic() > deadline:
            return 1
        time.sleep(0.01)
    kind = ctypes.c_ulong()
    format_ = ctypes.c_int()
    count = ctypes.c_ulong()
    after = ctypes.c_ulong()
    data = ctypes.c_void_p()
    # A refused conversion leaves the property unset: no data then.
    if x11.XGetWindowProperty(display, window, into, 0, 1 << 24, 1, 0, ctypes.byref(kind),
                              ctypes.byref(format_), ctypes.byref(count), ctypes.byref(after),
                              ctypes.byref(data)) != 0 or not data.value or format_.value != 8:
        return 1
    got = ctypes.string_at(data.value, count.value)
    x11.XFree(data)
    sys.stdout.write(got.decode("utf-8", "replace"))
    return 0


if len(sys.argv) != 3 or sys.argv[1] not in ("owner", "text"):
    sys.exit("usage: selection.py owner|text SELECTION")
display = x11.XOpenDisplay(None)
if not display:
    sys.exit(2)
status = (owner if sys.argv[1] == "owner" else text)(display, x11.XInternAtom(
    display, sys.argv[2].encode(), 0))
x11.XCloseDisplay(display)
sys.exit(status)
