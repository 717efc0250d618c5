#pragma once
// What the Qt side of the window system shares between its files, and what
// other Qt-side parts (message boxes, window styles, appearance) may use to
// reach the QWidget behind a plat::Widget. Included only under platform/qt.
#include <QColor>
#include <QImage>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/window_system.h"

namespace plat {

struct Widget {
    QPointer<QWidget> q;
    bool window = false;
    ControlKind kind = ControlKind::panel;
    WidgetCallbacks callbacks;
    // Or pixels its owner keeps and shows here without a copy.
    PixelView attached;
    std::uint32_t background = 0xFF000000;
    EditOptions edit;
    bool replaying_key = false;  // a replaced character is being typed
};

namespace qt {

// The QWidget of a widget (null when destroyed) and the widget of a QWidget.
QWidget* qwidget(Widget* w);
Widget* widget_of(const QObject* object);
// Registers a new QWidget under `w` and routes its events to the callbacks.
void adopt(Widget* w, QWidget* q);
// Forgets `w` and every widget inside it; their callbacks stop at once.
void forget_tree(Widget* w);

// GBK <-> QString at the edge (unconvertible bytes become U+FFFD, unconvertible
// characters '?').
QString from_gbk(std::string_view gbk);
std::string to_gbk(const QString& text);
// The GBK code of one character: the byte below 0x80, else lead << 8 | trail.
int gbk_code(QChar c);
QString from_gbk_code(int code);

// 0x00BBGGRR; 0xFF000000 = the system's button-face colour.
QColor colour_from(std::uint32_t bbggrr);

// Puts _NET_WM_STATE_SKIP_TASKBAR on a top-level window (X11 only; nothing
// elsewhere). The window manager drops the state when the window is hidden,
// so it is applied after every show.
void apply_skip_taskbar(QWidget* top);

Qt::CursorShape cursor_shape(int system_cursor_id);
int virtual_key(int qt_key);
int key_state(Qt::KeyboardModifiers modifiers);

}  // namespace qt
}  // namespace plat
