// Desktop embedding, click-through and layered opacity for the program's own
// top-level windows, addressed by their X11 window ids.
//
// "Under the desktop" has no parent window here: the window goes to the
// bottom band (_NET_WM_STATE_BELOW) and onto every workspace, which is what
// a child of the desktop's icon view looks like. The extended style word is
// kept per window; only its transparent and layered bits have an effect.
#include <QApplication>
#include <QPlatformSurfaceEvent>
#include <QPointer>
#include <QWidget>
#include <QWindow>
#include <map>

#include "platform/qt/qt_internal.h"
#include "platform/system_routines.h"
#include "platform/x11/net_wm.h"

namespace plat::win32 {
namespace {

_XDisplay* x11_display() {
    auto* app = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return app ? app->display() : nullptr;
}

struct WindowRecord {
    QPointer<QWindow> window;
    std::uint32_t ex_style = 0;
    int alpha = 255;
    bool embedded = false;
    bool reapply = false;  // shown again: the window manager forgot its states
};

std::map<Handle, WindowRecord>& records() {
    static std::map<Handle, WindowRecord> r;
    return r;
}

QWindow* window_of(Handle h) {
    if (h == 0 || !qGuiApp) return nullptr;
    for (QWindow* w : QGuiApplication::allWindows())
        if (w->handle() && static_cast<Handle>(w->winId()) == h) return w;
    return nullptr;
}

QWidget* widget_of(QWindow* window) {
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return nullptr;
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->windowHandle() == window) return top;
    return nullptr;
}

void apply_input(QWindow* w, const WindowRecord& r) {
    const bool on = (r.ex_style & kWsExTransparent) != 0;
    // Set on the mapped window; toggling makes Qt send it even when its own
    // flag word already says so.
    if (on) w->setFlag(Qt::WindowTransparentForInput, false);
    w->setFlag(Qt::WindowTransparentForInput, on);
}

void apply_opacity(QWindow* w, const WindowRecord& r) {
    const double opacity = (r.ex_style & kWsExLayered) ? r.alpha / 255.0 : 1.0;
    if (QWidget* widget = widget_of(w))
        widget->setWindowOpacity(opacity);  // kept by the widget if its window is remade
    else
        w->setOpacity(opacity);
}

void apply_band(QWindow* w, const WindowRecord& r) {
    QWidget* top = widget_of(w);
    const Widget* widget = top ? qt::widget_of(top) : nullptr;
    if (!widget) return;
    // Embedding leaves the top band, as a child window has no top-most state.
    qt::set_window_band(top, widget->on_top && !r.embedded, r.embedded);
}

// Puts the states back once the window is mapped again after a show.
class Reapplier : public QObject {
public:
    explicit Reapplier(Handle h, QObject* parent) : QObject(parent), m_handle(h) {}

protected:
    bool eventFilter(QObject* watched, QEvent* e) override {
        auto it = records().find(m_handle);
        if (it == records().end()) return false;
        auto* w = static_cast<QWindow*>(watched);
        if (e->type() == QEvent::Show) it->second.reapply = true;
        if (e->type() == QEvent::Expose && it->second.reapply && w->isExposed()) {
            it->second.reapply = false;
            if (it->second.ex_style & kWsExTransparent) apply_input(w, it->second);
            if (QWidget* top = widget_of(w)) qt::apply_window_states(top);
        }
        if (e->type() == QEvent::PlatformSurface &&
            static_cast<QPlatformSurfaceEvent*>(e)->surfaceEventType() ==
                QPlatformSurfaceEvent::SurfaceAboutToBeDestroyed)
            records().erase(it);  // the id dies with the native window
        return false;
    }

private:
    Handle m_handle;
};

// The record of one of our windows, made on first use; null for others.
WindowRecord* record_of(Handle h) {
    QWindow* w = window_of(h);
    if (!w) {
        records().erase(h);
        return nullptr;
    }
    auto [it, added] = records().try_emplace(h);
    if (added || it->second.window != w) {
        it->second = WindowRecord{};
        it->second.window = w;
        w->installEventFilter(new Reapplier(h, w));
    }
    return &it->second;
}

bool is_desktop_view(Handle h) {
    if (h == kDesktopViewStandIn) return true;
    const Handle desktop = x11::find_desktop_window(x11_display());
    return desktop != 0 && h == desktop;
}

}  // namespace

Handle find_window(const char* class_name, const char*) {
    // Class names compare without regard to case, as they did on Windows.
    if (!class_name ||
        QString::fromLatin1(class_name).compare(QLatin1String("progman"), Qt::CaseInsensitive) != 0)
        return 0;
    const Handle desktop = x11::find_desktop_window(x11_display());
    return desktop ? desktop : kProgmanStandIn;
}

Handle get_window(Handle window, int relation) {
    if (relation != kGwChild || window == 0) return 0;
    if (window == kProgmanStandIn) return kDesktopViewStandIn;
    const Handle desktop = x11::find_desktop_window(x11_display());
    // Whatever the desktop window holds, "its child" is where windows embed.
    if (desktop != 0 && window == desktop) return kDesktopViewStandIn;
    const auto kids = x11::children(x11_display(), window);
    return kids.empty() ? 0 : kids.front();
}

Handle set_parent(Handle child, Handle new_parent) {
    WindowRecord* r = record_of(child);
    if (!r) return 0;
    const bool embed = is_desktop_view(new_parent) || new_parent == kProgmanStandIn;
    if (!embed && new_parent != 0 && new_parent != kDesktopHandle) return 0;
    const Handle previous = r->embedded ? kDesktopViewStandIn : kDesktopHandle;
    r->embedded = embed;
    apply_band(r->window, *r);
    return previous;
}

std::int32_t get_window_long(Handle window, int index) {
    WindowRecord* r = index == kGwlExStyle ? record_of(window) : nullptr;
    return r ? static_cast<std::int32_t>(r->ex_style) : 0;
}

std::int32_t set_window_long(Handle window, int index, std::int32_t value) {
    WindowRecord* r = index == kGwlExStyle ? record_of(window) : nullptr;
    if (!r) return 0;
    const std::uint32_t previous = r->ex_style;
    r->ex_style = static_cast<std::uint32_t>(value);
    if ((previous ^ r->ex_style) & kWsExTransparent) apply_input(r->window, *r);
    if ((previous ^ r->ex_style) & kWsExLayered) apply_opacity(r->window, *r);
    return static_cast<std::int32_t>(previous);
}

bool set_layered_window_attributes(Handle window, std::uint32_t, int alpha, std::uint32_t flags) {
    WindowRecord* r = record_of(window);
    // Only a layered window has these attributes.
    if (!r || !(r->ex_style & kWsExLayered)) return false;
    if (flags & kLwaAlpha) {
        r->alpha = alpha < 0 ? 0 : alpha > 255 ? 255 : alpha;
        apply_opacity(r->window, *r);
    }
    // A colour key (kLwaColorKey) has no counterpart here; the call still succeeds.
    return true;
}

WindowState window_state(Handle window) {
    auto it = records().find(window);
    if (it == records().end() || !it->second.window) return {};
    QWindow* w = it->second.window;
    return WindowState{true, it->second.embedded,
                       w->flags().testFlag(Qt::WindowTransparentForInput), w->opacity()};
}

}  // namespace plat::win32
