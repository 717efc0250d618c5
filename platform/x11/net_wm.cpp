#include "platform/x11/net_wm.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <algorithm>

namespace plat::x11 {
namespace {

constexpr long kStateRemove = 0;
constexpr long kStateAdd = 1;
constexpr long kSourceApplication = 1;
constexpr std::uint32_t kAllDesktops = 0xFFFFFFFF;

// The values of an ATOM, WINDOW or CARDINAL property (32-bit format).
std::vector<unsigned long> long_property(Display* d, Window w, const char* name, Atom type) {
    Atom actual = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::vector<unsigned long> out;
    const Atom property = XInternAtom(d, name, False);
    if (XGetWindowProperty(d, w, property, 0, 1024, False, type, &actual, &format, &count, &after,
                           &data) == Success &&
        data) {
        if (format == 32) {
            const auto* values = reinterpret_cast<const unsigned long*>(data);
            out.assign(values, values + count);
        }
        XFree(data);
    }
    return out;
}

bool is_desktop(Display* d, Window w) {
    const Atom desktop = XInternAtom(d, "_NET_WM_WINDOW_TYPE_DESKTOP", False);
    const auto types = long_property(d, w, "_NET_WM_WINDOW_TYPE", XA_ATOM);
    return std::find(types.begin(), types.end(), desktop) != types.end();
}

void send_root_message(Display* d, Window w, const char* type, long l0, long l1, long l2) {
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = w;
    e.xclient.message_type = XInternAtom(d, type, False);
    e.xclient.format = 32;
    e.xclient.data.l[0] = l0;
    e.xclient.data.l[1] = l1;
    e.xclient.data.l[2] = l2;
    e.xclient.data.l[3] = kSourceApplication;
    XSendEvent(d, DefaultRootWindow(d), False, SubstructureRedirectMask | SubstructureNotifyMask,
               &e);
}

// Window-manager requests are ignored for an unmapped window: keep the
// property itself right so that it holds when the window is mapped.
void edit_state_property(Display* d, Window w, Atom state, bool on) {
    const Atom net_state = XInternAtom(d, "_NET_WM_STATE", False);
    std::vector<unsigned long> atoms = long_property(d, w, "_NET_WM_STATE", XA_ATOM);
    const bool present = std::find(atoms.begin(), atoms.end(), state) != atoms.end();
    if (present == on) return;
    if (on)
        atoms.push_back(state);
    else
        atoms.erase(std::remove(atoms.begin(), atoms.end(), state), atoms.end());
    XChangeProperty(d, w, net_state, XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(atoms.data()),
                    static_cast<int>(atoms.size()));
}

bool is_mapped(Display* d, Window w) {
    XWindowAttributes a{};
    return XGetWindowAttributes(d, w, &a) && a.map_state != IsUnmapped;
}

// A window may vanish between our requests: its errors are ignored here
// instead of ending the program in Xlib's default handler.
int ignore_error(Display*, XErrorEvent*) {
    return 0;
}

class ErrorTrap {
public:
    explicit ErrorTrap(Display* d) : m_display(d) {
        XSync(d, False);
        m_previous = XSetErrorHandler(ignore_error);
    }
    ~ErrorTrap() {
        XSync(m_display, False);
        XSetErrorHandler(m_previous);
    }
    ErrorTrap(const ErrorTrap&) = delete;
    ErrorTrap& operator=(const ErrorTrap&) = delete;

private:
    Display* m_display;
    XErrorHandler m_previous = nullptr;
};

}  // namespace

std::vector<WindowId> children(_XDisplay* display, WindowId window) {
    std::vector<WindowId> out;
    if (!display) return out;
    ErrorTrap trap(display);
    Window root = 0, parent = 0, *kids = nullptr;
    unsigned int n = 0;
    if (!XQueryTree(display, window, &root, &parent, &kids, &n)) return out;
    // XQueryTree lists bottom-most first.
    for (unsigned int i = n; i > 0; --i) out.push_back(static_cast<WindowId>(kids[i - 1]));
    if (kids) XFree(kids);
    return out;
}

WindowId find_desktop_window(_XDisplay* display) {
    if (!display) return 0;
    ErrorTrap trap(display);
    const Window root = DefaultRootWindow(display);
    for (unsigned long w : long_property(display, root, "_NET_CLIENT_LIST", XA_WINDOW))
        if (is_desktop(display, w)) return static_cast<WindowId>(w);
    // Window managers that reparent put the client one level below a frame.
    for (WindowId frame : children(display, static_cast<WindowId>(root))) {
        if (is_desktop(display, frame)) return frame;
        for (WindowId client : children(display, frame))
            if (is_desktop(display, client)) return client;
    }
    return 0;
}

void request_net_wm_state(_XDisplay* display, WindowId window, const char* state_atom, bool on) {
    if (!display || !window) return;
    ErrorTrap trap(display);
    const Atom state = XInternAtom(display, state_atom, False);
    if (is_mapped(display, window))
        send_root_message(display, window, "_NET_WM_STATE", on ? kStateAdd : kStateRemove,
                          static_cast<long>(state), 0);
    else
        edit_state_property(display, window, state, on);
    XFlush(display);
}

void set_on_all_desktops(_XDisplay* display, WindowId window, bool on) {
    if (!display || !window) return;
    ErrorTrap trap(display);
    std::uint32_t desktop = kAllDesktops;
    if (!on) {
        const auto current =
            long_property(display, DefaultRootWindow(display), "_NET_CURRENT_DESKTOP", XA_CARDINAL);
        desktop = current.empty() ? 0 : static_cast<std::uint32_t>(current.front());
    }
    if (is_mapped(display, window)) {
        send_root_message(display, window, "_NET_WM_DESKTOP", static_cast<long>(desktop), 0, 0);
    } else {
        const unsigned long value = desktop;
        XChangeProperty(display, window, XInternAtom(display, "_NET_WM_DESKTOP", False),
                        XA_CARDINAL, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(&value), 1);
    }
    request_net_wm_state(display, window, "_NET_WM_STATE_STICKY", on);
}

}  // namespace plat::x11
