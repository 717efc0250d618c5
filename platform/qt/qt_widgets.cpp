// The widget registry, creating windows and controls, and what every widget
// has: geometry, visibility, enabled state, focus, cursor, stacking.
#include <QAbstractScrollArea>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QWindow>
#include <algorithm>
#include <memory>
#include <unordered_map>
#include <vector>

#include "platform/qt/qt_internal.h"
#include "platform/qt/qt_surface.h"

namespace plat {
namespace qt {

void install_router(QWidget* q);  // qt_events.cpp
void connect_signals(Widget* w);  // qt_controls.cpp

namespace {
// QObject (a widget or its viewport) -> its widget. Widgets own themselves
// through g_owned from creation until forget_tree.
std::unordered_map<const QObject*, Widget*> g_by_object;
std::unordered_map<Widget*, std::unique_ptr<Widget>> g_owned;

void register_object(QObject* o, Widget* w) {
    g_by_object[o] = w;
}
}  // namespace

QWidget* qwidget(Widget* w) {
    return w ? w->q.data() : nullptr;
}

Widget* widget_of(const QObject* object) {
    auto it = g_by_object.find(object);
    return it == g_by_object.end() ? nullptr : it->second;
}

void adopt(Widget* w, QWidget* q) {
    w->q = q;
    g_owned.emplace(w, std::unique_ptr<Widget>(w));
    register_object(q, w);
    install_router(q);
    // Lists deliver their mouse input to the viewport.
    if (auto* area = qobject_cast<QAbstractScrollArea*>(q)) {
        register_object(area->viewport(), w);
        install_router(area->viewport());
    }
}

void forget_tree(Widget* w) {
    QWidget* root = w->q;
    std::vector<Widget*> doomed;
    for (auto& [widget, owned] : g_owned) {
        QWidget* q = widget->q;
        if (widget == w || (root && q && root->isAncestorOf(q))) doomed.push_back(widget);
    }
    for (auto it = g_by_object.begin(); it != g_by_object.end();) {
        if (std::find(doomed.begin(), doomed.end(), it->second) != doomed.end())
            it = g_by_object.erase(it);
        else
            ++it;
    }
    for (Widget* d : doomed) g_owned.erase(d);
}

}  // namespace qt

Widget* create_window(const WindowOptions& o) {
    if (!window_system_ready()) return nullptr;
    Qt::WindowFlags flags = o.skip_taskbar ? Qt::Tool : Qt::Window;
    if (o.caption)
        flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    else
        flags |= Qt::FramelessWindowHint;
    auto* w = new Widget;
    w->window = true;
    w->on_top = o.stays_on_top;  // applied when shown
    auto* q = new qt::Surface(nullptr, flags);
    // A tool window would otherwise vanish whenever another of our windows
    // is activated on some platforms, and must never quit the application.
    q->setAttribute(Qt::WA_MacAlwaysShowToolWindow);
    q->setAttribute(Qt::WA_QuitOnClose, false);
    q->setWindowTitle(qt::from_gbk(o.title));
    // What its surfaces attach pixels for until it shows on another screen.
    w->ratio = q->devicePixelRatioF();
    qt::adopt(w, q);
    return w;
}

bool is_window(const Widget* w) {
    return w && w->window;
}

void set_window_title(Widget* w, std::string_view title) {
    if (QWidget* q = qt::qwidget(w)) q->setWindowTitle(qt::from_gbk(title));
}

void activate_window(Widget* w) {
    QWidget* q = qt::qwidget(w);
    if (!q) return;
    if (q->isMinimized()) q->showNormal();
    q->raise();
    q->activateWindow();
}

void set_stays_on_top(Widget* w, bool on) {
    if (QWidget* q = qt::qwidget(w); q && w->window) qt::set_window_band(q, on, w->embedded);
}

void start_system_move(Widget* w) {
    QWidget* q = qt::qwidget(w);
    if (q && q->windowHandle()) q->windowHandle()->startSystemMove();
}

std::uint64_t native_handle(Widget* w) {
    QWidget* q = qt::qwidget(w);
    if (!q) return 0;
    if (q->isWindow()) return static_cast<std::uint64_t>(q->winId());
    return static_cast<std::uint64_t>(q->effectiveWinId());
}

Widget* create_control(Widget* parent, ControlKind kind) {
    QWidget* p = qt::qwidget(parent);
    if (!p) return nullptr;
    QWidget* q = nullptr;
    switch (kind) {
        case ControlKind::label:
            q = new QLabel(p);
            break;
        case ControlKind::edit:
            q = new QLineEdit(p);
            break;
        case ControlKind::button:
            q = new QPushButton(p);
            break;
        case ControlKind::combo:
            q = new QComboBox(p);
            break;
        case ControlKind::list:
            q = new QListWidget(p);
            break;
        case ControlKind::panel:
            q = new qt::Surface(p);
            break;
    }
    auto* w = new Widget;
    q->hide();
    qt::adopt(w, q);
    qt::connect_signals(w);
    if (const Widget* window = qt::widget_of(p->window()); window && window->x_gc)
        qt::paint_on_screen(q, w);
    return w;
}

void reparent(Widget* control, Widget* new_parent) {
    QWidget* q = qt::qwidget(control);
    QWidget* p = qt::qwidget(new_parent);
    // Never into itself or its own content: a damaged description could ask.
    if (!q || !p || control->window || q == p || q->isAncestorOf(p)) return;
    const bool shown = !q->isHidden();
    q->setParent(p);
    if (shown) q->show();
}

void stack_below(Widget* w, Widget* above) {
    QWidget* q = qt::qwidget(w);
    if (!q) return;
    QWidget* a = qt::qwidget(above);
    if (a && a->parentWidget() == q->parentWidget())
        q->stackUnder(a);
    else
        q->raise();
}

void set_tab_stop(Widget* w, bool on) {
    QWidget* q = qt::qwidget(w);
    if (!q || q->isWindow()) return;
    Qt::FocusPolicy policy = q->focusPolicy();
    if (on && policy == Qt::ClickFocus) q->setFocusPolicy(Qt::StrongFocus);
    if (!on && (policy & Qt::TabFocus)) q->setFocusPolicy(Qt::ClickFocus);
}

void set_tab_order(Widget* first, Widget* second) {
    QWidget* a = qt::qwidget(first);
    QWidget* b = qt::qwidget(second);
    if (a && b && a != b && a->window() == b->window()) QWidget::setTabOrder(a, b);
}

void destroy_widget(Widget* w) {
    QWidget* q = qt::qwidget(w);
    if (QWidget* root = qt::qwidget(w)) {
        for (QWidget* inner : root->findChildren<QWidget*>())
            if (Widget* c = qt::widget_of(inner); c && c->x_gc) qt::close_x_target(c);
        if (w->x_gc) qt::close_x_target(w);
    }
    qt::forget_tree(w);  // frees w: no callback reaches it from here on
    if (!q) return;
    q->hide();
    // Not deleted at once: we may be inside one of its own event handlers.
    q->deleteLater();
}

Rect geometry(Widget* w) {
    QWidget* q = qt::qwidget(w);
    if (!q) return {};
    QRect r = q->isWindow() ? q->frameGeometry() : q->geometry();
    return {r.left(), r.top(), r.width(), r.height()};
}

void set_geometry(Widget* w, Rect r) {
    QWidget* q = qt::qwidget(w);
    if (!q) return;
    if (q->isWindow()) {
        // The outer size is given; the client is what the frame leaves.
        QRect frame = q->frameGeometry();
        int extra_w = frame.width() - q->width(), extra_h = frame.height() - q->height();
        q->move(r.left, r.top);
        q->resize(std::max(0, r.width - extra_w), std::max(0, r.height - extra_h));
    } else {
        q->setGeometry(r.left, r.top, std::max(0, r.width), std::max(0, r.height));
    }
}

Size client_size(Widget* w) {
    QWidget* q = qt::qwidget(w);
    return q ? Size{q->width(), q->height()} : Size{};
}

void set_visible(Widget* w, bool on) {
    QWidget* q = qt::qwidget(w);
    if (!q) return;
    if (!q->isWindow()) q->setAttribute(Qt::WA_ShowWithoutActivating);
    q->setVisible(on);
}

bool is_visible(Widget* w) {
    QWidget* q = qt::qwidget(w);
    return q && !q->isHidden();
}

void set_enabled(Widget* w, bool on) {
    if (QWidget* q = qt::qwidget(w)) q->setEnabled(on);
}

bool is_enabled(Widget* w) {
    QWidget* q = qt::qwidget(w);
    return q && q->isEnabled();
}

void set_focus(Widget* w) {
    if (QWidget* q = qt::qwidget(w)) q->setFocus(Qt::OtherFocusReason);
}

bool has_focus(Widget* w) {
    QWidget* q = qt::qwidget(w);
    return q && q->hasFocus();
}

void set_system_cursor(Widget* w, int cursor_id) {
    QWidget* q = qt::qwidget(w);
    if (!q) return;
    if (cursor_id == 0)
        q->unsetCursor();
    else
        q->setCursor(qt::cursor_shape(cursor_id));
}

}  // namespace plat
