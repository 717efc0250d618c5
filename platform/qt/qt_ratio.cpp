// A window moved to a screen of another device ratio: Qt 6.4 sends no event
// for it, so its screen is watched and its ratio compared at every paint and
// resize. Qt keeps the native window's size across the move, which would
// change the client size (a 288-pixel window at ratio 2 shows 144 client
// pixels); the window is given back its client size instead, so that it
// looks the same, only finer.
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <vector>

#include "platform/qt/qt_internal.h"
#include "platform/qt/qt_surface.h"

namespace plat::qt {
namespace {

void call_resized(Widget* w) {
    if (!w || !w->callbacks.resized) return;
    auto resized = w->callbacks.resized;  // the handler may replace the callbacks
    resized();
}

// The window takes back its client size, the surfaces refit their pixels to
// the new ratio, then the window re-cuts its shape; all is painted afresh.
void tell_ratio(const QPointer<QWidget>& top) {
    Widget* w = top ? widget_of(top) : nullptr;
    if (!w) return;
    w->ratio_changing = false;
    if (w->ratio_size.isValid() && top->size() != w->ratio_size) top->resize(w->ratio_size);
    x_fit_children(top);
    std::vector<QPointer<QWidget>> surfaces;
    for (Surface* s : top->findChildren<Surface*>()) surfaces.emplace_back(s);
    for (const QPointer<QWidget>& s : surfaces)
        if (s) call_resized(widget_of(s));
    if (!top) return;
    call_resized(widget_of(top));
    if (top) top->update();
}

}  // namespace

void check_ratio(QWidget* top) {
    Widget* w = top ? widget_of(top) : nullptr;
    if (!w || !w->window) return;
    const double ratio = top->devicePixelRatioF();
    if (w->ratio == ratio) return;
    w->ratio = ratio;
    w->ratio_changing = true;
    // Not from inside a paint or Qt's own screen bookkeeping: the owners
    // attach new pixels and present them.
    QTimer::singleShot(0, top, [top = QPointer<QWidget>(top)] { tell_ratio(top); });
}

void ratio_resized(QWidget* top) {
    Widget* w = widget_of(top);
    if (!w) return;
    check_ratio(top);
    if (!w->ratio_changing) w->ratio_size = top->size();
}

void watch_ratio(QWidget* top) {
    Widget* w = top ? widget_of(top) : nullptr;
    QWindow* window = top ? top->windowHandle() : nullptr;
    if (!w || !w->window || !window || w->ratio_watched == window) return;
    w->ratio_watched = window;
    QObject::connect(window, &QWindow::screenChanged, top,
                     [top = QPointer<QWidget>(top)] { check_ratio(top); });
    check_ratio(top);
}

}  // namespace plat::qt
