// X11 specifics Qt does not cover: window-manager hints, whether a display
// answers, and ending our own way when its connection breaks.
#include <QGuiApplication>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <utility>

#include "platform/qt/qt_internal.h"
#include "platform/text/error_output.h"
#include "platform/x11/net_wm.h"

// Xlib after Qt: its macros (None, Bool, KeyPress ...) would break Qt's headers.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace plat::qt {
namespace {

std::function<void()> g_display_lost;

// Xlib's default for a broken connection calls exit(), which runs static
// destructors under whatever is half-way through, a window being created
// included; the program ends its own way instead.
int on_io_error(Display*) {
    write_error_output("The connection to the X display broke; ending.\n");
    if (g_display_lost) g_display_lost();
    std::fflush(nullptr);
    std::_Exit(1);
}

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

void apply_band(Display* d, Window w, bool on_top, bool embedded, bool sticky_changed) {
    const auto id = static_cast<x11::WindowId>(w);
    const bool above = on_top && !embedded;
    // Leave one band before entering the other.
    if (!above) x11::request_net_wm_state(d, id, "_NET_WM_STATE_ABOVE", false);
    if (!embedded) x11::request_net_wm_state(d, id, "_NET_WM_STATE_BELOW", false);
    if (above) x11::request_net_wm_state(d, id, "_NET_WM_STATE_ABOVE", true);
    if (embedded) x11::request_net_wm_state(d, id, "_NET_WM_STATE_BELOW", true);
    if (embedded || sticky_changed) x11::set_on_all_desktops(d, id, embedded);
}

}  // namespace

void apply_window_states(QWidget* top) {
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
    if (Widget* widget = widget_of(top)) apply_band(d, w, widget->on_top, widget->embedded, false);
    XFlush(d);
}

void set_window_band(QWidget* top, bool on_top, bool embedded) {
    Widget* widget = widget_of(top);
    if (!widget) return;
    const bool sticky_changed = widget->embedded != embedded;
    widget->on_top = on_top;
    widget->embedded = embedded;
    Display* d = x11_display();
    if (!d || !top->isWindow() || !top->internalWinId()) return;  // applied when shown
    apply_band(d, static_cast<Window>(top->internalWinId()), on_top, embedded, sticky_changed);
    XFlush(d);
}

bool x11_display_answers() {
    Display* d = XOpenDisplay(nullptr);
    if (d) XCloseDisplay(d);
    return d != nullptr;
}

}  // namespace plat::qt

namespace plat {

bool on_display_lost(std::function<void()> lost) {
    if (!window_system_ready() || !qt::x11_display()) return false;
    qt::g_display_lost = std::move(lost);
    XSetIOErrorHandler(qt::on_io_error);
    return true;
}

}  // namespace plat
