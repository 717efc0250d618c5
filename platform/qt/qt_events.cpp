// Routes Qt's input and window events to a widget's callbacks.
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QTimer>
#include <QWheelEvent>
#include <optional>

#include "platform/qt/qt_internal.h"

namespace plat::qt {
namespace {

std::optional<MouseAction> mouse_action(QEvent::Type type, Qt::MouseButton button) {
    if (type == QEvent::MouseMove) return MouseAction::move;
    if (button == Qt::LeftButton) {
        if (type == QEvent::MouseButtonPress) return MouseAction::left_down;
        if (type == QEvent::MouseButtonRelease) return MouseAction::left_up;
        if (type == QEvent::MouseButtonDblClick) return MouseAction::left_double;
    } else if (button == Qt::RightButton) {
        // A right double-click is a second press, as on the original.
        if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick)
            return MouseAction::right_down;
        if (type == QEvent::MouseButtonRelease) return MouseAction::right_up;
    }
    return std::nullopt;
}

// Returns true when the event must not be processed further.
bool route_mouse(QObject* object, Widget* w, QMouseEvent* e) {
    auto action = mouse_action(e->type(), e->button());
    if (!action || !w->callbacks.mouse) return false;
    // Coordinates in the client area of the control (a list's viewport sits
    // inside its frame).
    QPoint p = e->position().toPoint();
    if (auto* from = qobject_cast<QWidget*>(object); from && from != w->q) p = from->mapTo(w->q, p);
    auto mouse = w->callbacks.mouse;
    return !mouse({*action, p.x(), p.y(), key_state(e->modifiers())});
}

bool route_key(QObject* object, Widget* w, QKeyEvent* e) {
    if (w->replaying_key) return false;
    QPointer<QObject> alive(object);
    const bool down = e->type() == QEvent::KeyPress;
    if (w->callbacks.key) {
        auto key = w->callbacks.key;
        if (!key(virtual_key(e->key()), down, key_state(e->modifiers()))) return true;
        if (!alive || !(w = widget_of(object))) return true;
    }
    const QString typed = e->text();
    if (!down || typed.size() != 1 || !w->callbacks.character) return false;
    const int code = gbk_code(typed.at(0));
    auto character = w->callbacks.character;
    const int answer = character(code);
    if (!alive || !(w = widget_of(object))) return true;
    if (answer == 0) return true;
    if (answer == code) return false;
    // Type the replacement instead of what was pressed.
    QKeyEvent replacement(QEvent::KeyPress, 0, e->modifiers(), from_gbk_code(answer));
    w->replaying_key = true;
    QCoreApplication::sendEvent(object, &replacement);
    if (Widget* still = widget_of(object)) still->replaying_key = false;
    return true;
}

template <typename... A>
void call(const std::function<void(A...)>& f, A... args) {
    if (!f) return;
    auto copy = f;  // the handler may destroy the widget that holds f
    copy(args...);
}

class Router : public QObject {
public:
    bool eventFilter(QObject* object, QEvent* event) override {
        Widget* w = widget_of(object);
        if (!w) return false;
        const bool is_main = object == w->q;  // not a list's viewport
        switch (event->type()) {
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonRelease:
            case QEvent::MouseButtonDblClick:
            case QEvent::MouseMove:
                // A disabled window (one a modal window waits over) and its
                // controls take no mouse input, as their native kind do not;
                // filters see the event before Qt drops it.
                if (auto* from = qobject_cast<QWidget*>(object); from && !from->isEnabled())
                    return false;
                return route_mouse(object, w, static_cast<QMouseEvent*>(event));
            case QEvent::KeyPress:
            case QEvent::KeyRelease:
                return is_main && route_key(object, w, static_cast<QKeyEvent*>(event));
            case QEvent::Wheel: {
                if (!w->callbacks.wheel) return false;
                auto* e = static_cast<QWheelEvent*>(event);
                auto wheel = w->callbacks.wheel;
                return !wheel(e->angleDelta().y() / 120, key_state(e->modifiers()));
            }
            case QEvent::FocusIn:
            case QEvent::FocusOut:
                if (is_main) call(w->callbacks.focus, event->type() == QEvent::FocusIn);
                return false;
            case QEvent::Move:
                if (is_main) call(w->callbacks.moved);
                return false;
            case QEvent::Resize:
                if (is_main && w->window) ratio_resized(w->q);
                if (is_main) call(w->callbacks.resized);
                return false;
            case QEvent::Show:
                if (is_main && w->window) {
                    // After the map request has gone out; and once more when
                    // the window manager may have dropped the state again.
                    QPointer<QWidget> q = w->q;
                    apply_window_states(q);
                    QTimer::singleShot(0, q, [q] { apply_window_states(q); });
                    watch_ratio(q);
                }
                if (is_main) call(w->callbacks.shown);
                return false;
            case QEvent::WinIdChange:
                // A new native window (Qt replaces it when some flags change)
                // has no shape of its own yet.
                if (is_main && w->window && w->shaped) x_shape(w->q, w);
                if (is_main && w->window) watch_ratio(w->q);
                return false;
            case QEvent::Hide:
                if (is_main) call(w->callbacks.hidden);
                return false;
            case QEvent::WindowActivate:
            case QEvent::WindowDeactivate:
                if (is_main && w->window)
                    call(w->callbacks.activated, event->type() == QEvent::WindowActivate);
                return false;
            case QEvent::Close: {
                if (!is_main || !w->window) return false;
                // The owner destroys the window if it agrees; Qt never closes it.
                event->ignore();
                if (w->callbacks.close_requested) {
                    auto close = w->callbacks.close_requested;
                    close();
                }
                return true;
            }
            default:
                return false;
        }
    }
};

}  // namespace

void install_router(QWidget* q) {
    static Router* router = new Router;
    q->installEventFilter(router);
    // A unit sees only the mouse messages meant for itself: a press that a
    // panel leaves unhandled must not travel on to the window (a right-click
    // on a panel would otherwise raise both units' events and open two menus).
    q->setAttribute(Qt::WA_NoMousePropagation);
}

Qt::CursorShape cursor_shape(int id) {
    switch (id) {
        case 32513:
            return Qt::IBeamCursor;
        case 32514:
            return Qt::WaitCursor;
        case 32515:
            return Qt::CrossCursor;
        case 32516:
            return Qt::UpArrowCursor;
        case 32642:
            return Qt::SizeFDiagCursor;
        case 32643:
            return Qt::SizeBDiagCursor;
        case 32644:
            return Qt::SizeHorCursor;
        case 32645:
            return Qt::SizeVerCursor;
        case 32646:
            return Qt::SizeAllCursor;
        case 32648:
            return Qt::ForbiddenCursor;
        case 32649:
            return Qt::PointingHandCursor;
        case 32650:
            return Qt::BusyCursor;
        case 32651:
            return Qt::WhatsThisCursor;
        default:
            return Qt::ArrowCursor;
    }
}

// Windows virtual-key codes, which the logic compares against.
int virtual_key(int k) {
    if ((k >= Qt::Key_0 && k <= Qt::Key_9) || (k >= Qt::Key_A && k <= Qt::Key_Z)) return k;
    if (k >= Qt::Key_F1 && k <= Qt::Key_F24) return 0x70 + (k - Qt::Key_F1);
    switch (k) {
        case Qt::Key_Backspace:
            return 0x08;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            return 0x09;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return 0x0D;
        case Qt::Key_Shift:
            return 0x10;
        case Qt::Key_Control:
            return 0x11;
        case Qt::Key_Alt:
            return 0x12;
        case Qt::Key_Pause:
            return 0x13;
        case Qt::Key_CapsLock:
            return 0x14;
        case Qt::Key_Escape:
            return 0x1B;
        case Qt::Key_Space:
            return 0x20;
        case Qt::Key_PageUp:
            return 0x21;
        case Qt::Key_PageDown:
            return 0x22;
        case Qt::Key_End:
            return 0x23;
        case Qt::Key_Home:
            return 0x24;
        case Qt::Key_Left:
            return 0x25;
        case Qt::Key_Up:
            return 0x26;
        case Qt::Key_Right:
            return 0x27;
        case Qt::Key_Down:
            return 0x28;
        case Qt::Key_Insert:
            return 0x2D;
        case Qt::Key_Delete:
            return 0x2E;
        case Qt::Key_Minus:
            return 0xBD;
        default:
            return 0;
    }
}

int key_state(Qt::KeyboardModifiers m) {
    return (m & Qt::ControlModifier ? kKeyCtrl : 0) | (m & Qt::ShiftModifier ? kKeyShift : 0) |
           (m & Qt::AltModifier ? kKeyAlt : 0);
}

void set_callbacks(Widget* w, WidgetCallbacks callbacks) {
    if (w) w->callbacks = std::move(callbacks);
}

}  // namespace plat::qt

namespace plat {
void send_mouse(Widget* w, const MouseEvent& m) {
    QWidget* q = qt::qwidget(w);
    if (!q) return;
    QEvent::Type type = QEvent::MouseMove;
    Qt::MouseButton button = Qt::NoButton;
    switch (m.action) {
        case MouseAction::left_down:
            type = QEvent::MouseButtonPress;
            button = Qt::LeftButton;
            break;
        case MouseAction::left_up:
            type = QEvent::MouseButtonRelease;
            button = Qt::LeftButton;
            break;
        case MouseAction::left_double:
            type = QEvent::MouseButtonDblClick;
            button = Qt::LeftButton;
            break;
        case MouseAction::right_down:
            type = QEvent::MouseButtonPress;
            button = Qt::RightButton;
            break;
        case MouseAction::right_up:
            type = QEvent::MouseButtonRelease;
            button = Qt::RightButton;
            break;
        case MouseAction::move:
            break;
    }
    const QPointF local(m.x, m.y);
    QMouseEvent e(type, local, q->mapToGlobal(local), button,
                  type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button),
                  Qt::NoModifier);
    QCoreApplication::sendEvent(q, &e);
}

void set_callbacks(Widget* w, WidgetCallbacks callbacks) {
    qt::set_callbacks(w, std::move(callbacks));
}

void send_key(Widget* w, int virtual_key, int keys, std::string_view typed) {
    QPointer<QWidget> q = qt::qwidget(w);
    if (!q) return;
    // Digits and letters share their codes with Qt's keys.
    const bool plain =
        (virtual_key >= '0' && virtual_key <= '9') || (virtual_key >= 'A' && virtual_key <= 'Z');
    const int key = plain ? virtual_key : 0;
    const Qt::KeyboardModifiers modifiers =
        (keys & kKeyCtrl ? Qt::ControlModifier : Qt::NoModifier) |
        (keys & kKeyShift ? Qt::ShiftModifier : Qt::NoModifier) |
        (keys & kKeyAlt ? Qt::AltModifier : Qt::NoModifier);
    const QString text = qt::from_gbk(typed);
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QCoreApplication::sendEvent(q, &press);
    if (!q) return;  // a handler destroyed it
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QCoreApplication::sendEvent(q, &release);
}
}  // namespace plat
