#!/usr/bin/python3
"""Prints the UTF-8 text of an X selection (e.g. PRIMARY) on $DISPLAY. Exit 0
with the text, 1 when nobody owns the selection or it gives no text in time,
2 when the display cannot be opened. Uses libX11 through ctypes, so the
desktop tests need no X headers."""
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

if len(sys.argv) != 2:
    sys.exit("usage: selection_text.py SELECTION")
display = x11.XOpenDisplay(None)
if not display:
    sys.exit(2)
selection = x11.XInternAtom(display, sys.argv[1].encode(), 0)
utf8 = x11.XInternAtom(display, b"UTF8_STRING", 0)
into = x11.XInternAtom(display, b"VEL_SELECTION_TEXT", 0)
window = x11.XCreateSimpleWindow(display, x11.XDefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0)
x11.XConvertSelection(display, selection, utf8, into, window, CURRENT_TIME)
x11.XFlush(display)

event = ctypes.create_string_buffer(192)  # an XEvent
deadline = time.monotonic() + 3
while not x11.XCheckTypedWindowEvent(display, window, SELECTION_NOTIFY, event):
    if time.monotonic() > deadline:
        sys.exit(1)
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
    sys.exit(1)
text = ctypes.string_at(data.value, count.value)
x11.XFree(data)
x11.XCloseDisplay(display)
sys.stdout.write(text.decode("utf-8", "replace"))
