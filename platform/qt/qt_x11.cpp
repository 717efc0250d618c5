// X11 window-manager hints that Qt does not set for us.
#include <QGuiApplication>
#include <QWidget>

#include "platform/qt/qt_internal.h"

// Xlib after Qt: its macros (None, Bool, KeyPress ...) would break Qt's headers.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace plat::qt {
namespace {

Display* x11_display() {
    auto* app = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return app ? app->display() : nullptr;
}

// Adds `state` to the window's _NET_WM_STATE property itself (what the window
// manager reads when it maps the window) ...
void add_state_property(Display* d, Window w, Atom net_state, Atom state) {
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(d, w, net_state, 0, 64, False, XA_ATOM, &type, &format, &count, &after,
                           &data) == Success &&
        data) {
        const Atom* atoms = reinterpret_cast<const Atom*>(data);
        for (unsigned long i = 0; i < count; ++i) {
            if (atoms[i] == state) {
                XFree(data);
                return;
            }
        }
        XFree(data);
    }
    XChangeProperty(d, w, net_state, XA_ATOM, 32, PropModeAppend,
                    reinterpret_cast<const unsigned char*>(&state), 1);
}

// ... and asks a running window manager to add it to a mapped window.
void send_state_message(Display* d, Window w, Atom net_state, Atom state) {
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = w;
    e.xclient.message_type = net_state;
    e.xclient.format = 32;
    e.xclient.data.l[0] = 1;  // _NET_WM_STATE_ADD
    e.xclient.data.l[1] = static_cast<long>(state);
    e.xclient.data.l[2] = 0;
    e.xclient.data.l[3] = 1;  // normal application
    XSendEvent(d, DefaultRootWindow(d), False, SubstructureRedirectMask | SubstructureNotifyMask,
               &e);
}

}  // namespace

void apply_skip_taskbar(QWidget* top) {
    Display* d = x11_display();
    if (!d || !top || !top->isWindow() || !top->internalWinId()) return;
    Window w = static_cast<Window>(top->internalWinId());
    Atom net_state = XInternAtom(d, "_NET_WM_STATE", False);
    Atom skip_taskbar = XInternAtom(d, "_NET_WM_STATE_SKIP_TASKBAR", False);
    Atom skip_pager = XInternAtom(d, "_NET_WM_STATE_SKIP_PAGER", False);
    add_state_property(d, w, net_state, skip_taskbar);
    add_state_property(d, w, net_state, skip_pager);
    send_state_message(d, w, net_state, skip_taskbar);
    send_state_message(d, w, net_state, skip_pager);
    XFlush(d);
}

}  // namespace plat::qt
