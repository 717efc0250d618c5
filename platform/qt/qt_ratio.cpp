// A window moved to a screen of another device ratio: Qt 6.4 sends no event
// for it, so its screen is watched and its ratio compared at every paint.
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <vector>

#include "platform/appearance.h"
#include "platform/qt/qt_internal.h"
#include "platform/qt/qt_surface.h"

namespace plat::qt {
namespace {

void call_resized(Widget* w) {
    if (!w || !w->callbacks.resized) return;
    auto resized = w->callbacks.resized;  // the handler may replace the callbacks
    resized();
}

// The surfaces refit their pixels to the new ratio, then the window re-cuts
// its shape; what they show is painted afresh.
void tell_ratio(const QPointer<QWidget>& top) {
    if (!top) return;
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
    // Not from inside a paint or Qt's own screen bookkeeping: the owners
    // attach new pixels and present them.
    QTimer::singleShot(0, top, [top = QPointer<QWidget>(top)] { tell_ratio(top); });
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
