#pragma once
// What the Qt side of the window system shares between its files, and what
// other Qt-side parts (message boxes, window styles, appearance) may use to
// reach the QWidget behind a plat::Widget. Included only under platform/qt.
#include <QColor>
#include <QIcon>
#include <QImage>
#include <QPointer>
#include <QRegion>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/appearance.h"
#include "platform/window_system.h"

namespace plat {

struct Widget {
    QPointer<QWidget> q;
    bool window = false;
    WidgetCallbacks callbacks;
    // Or pixels its owner keeps and shows here without a copy.
    PixelView attached;
    std::uint32_t background = 0xFF000000;
    EditOptions edit;
    bool replaying_key = false;  // a replaced character is being typed
    // The stacking band asked of the window manager, which forgets it
    // whenever the window is hidden: always on top, or embedded (the bottom
    // band, on every workspace; it wins over on top).
    bool on_top = false;
    bool embedded = false;
    // A window whose surfaces are redrawn often (set_redrawn_often): on X11
    // each sends its pixels to the server itself, into an X window of its
    // own, with no backing store (qt_surface.cpp, qt_xcb_put.cpp).
    bool redrawn_often = false;
    std::uint32_t x_gc = 0;  // the surface's graphics context; 0: the backing store path
    std::uint8_t x_depth = 0;
    bool x_swap = false;  // the server reads pixel words in the other byte order
    // A window's device pixels per client pixel as its surfaces were last
    // told (qt_ratio.cpp), the QWindow watched for screen changes, and its
    // client size at that ratio, kept across a change.
    double ratio = 0;
    QPointer<QObject> ratio_watched;
    bool ratio_changing = false;
    QSize ratio_size;
    // A window's shape: device rectangles, cut on the native window itself
    // (set_window_region), and the client pixels inside it.
    bool shaped = false;
    std::vector<Rect> shape;
    QRegion shape_client;
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

// Puts the window-manager states of a top-level window on its X window:
// no taskbar button or pager entry, and the stacking band of its Widget
// (X11 only; nothing elsewhere). The window manager drops the states when
// the window is hidden, so they are applied again after every show.
//
// The band is never a Qt window flag once the window exists: changing
// Qt::WindowStaysOnTopHint or Qt::WindowStaysOnBottomHint makes Qt replace
// the X window at its next show, and the id the program holds, with every
// state set on the old window, would be lost.
void apply_window_states(QWidget* top);
// Changes the band of one of our windows and applies it at once.
void set_window_band(QWidget* top, bool on_top, bool embedded);
// Whether the X display named by DISPLAY takes a connection (Qt aborts the
// process when it cannot make its own).
bool x11_display_answers();

// Sending pixels straight into a widget's own X window, on Qt's own
// connection (qt_xcb_put.cpp). open_x_target makes the widget native and its
// graphics context once, and records whether the server swaps pixel words;
// false when the window cannot take 32-bit TrueColor words as they are (not
// X11, another depth or format), which keeps it on the backing store.
bool open_x_target(QWidget* q, Widget* w);
void close_x_target(Widget* w);
// The most bytes of pixels one request may carry.
std::size_t x_put_limit();
// `words` (rows of `width` 0x..RRGGBB words, already in the server's byte
// order) at device pixel (x, y) of the window; one request, no flush.
void x_put(const Widget* w, int x, int y, int width, int height, const std::uint32_t* words);
void x_flush();
// A surface of a window redrawn often sends its pixels itself from now on.
void paint_on_screen(QWidget* q, Widget* w);
// Qt keeps the native windows inside a window at their device size when
// its ratio changes: sizes them for their client geometry at the new ratio.
void x_fit_children(QWidget* top);
// Cuts the window's shape (w->shape, in device pixels) on its X window;
// false when not on X11 or the server has no SHAPE extension.
bool x_shape(QWidget* top, const Widget* w);

// Device ratio changes (qt_ratio.cpp). Watches the screen of a shown
// window, and compares the ratio whenever it is resized or one of its
// surfaces paints: when it differs from what its surfaces were told, the
// window gets its client size back, the window and each surface in it get
// `resized` (soon after, not inside the paint) and all is repainted.
void watch_ratio(QWidget* top);
void check_ratio(QWidget* top);
// A window's Resize event: its client size is kept unless a ratio change
// made it.
void ratio_resized(QWidget* top);

// An icon's pixels (0x00BBGGRR or 0x00RRGGBB words) with an optional
// opacity byte per pixel (empty: opaque) as an ARGB image.
QImage icon_image(const PixelView& v, std::span<const std::uint8_t> alpha);
// The usable sizes of an icon as one QIcon; null when none is usable.
QIcon icon_of(std::span<const IconImage> sizes);

Qt::CursorShape cursor_shape(int system_cursor_id);
int virtual_key(int qt_key);
int key_state(Qt::KeyboardModifiers modifiers);

}  // namespace qt
}  // namespace plat
