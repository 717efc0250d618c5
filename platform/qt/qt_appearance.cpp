// The window mask and the system face colour on Qt.
#include <QApplication>
#include <QPalette>
#include <QRegion>

#include "platform/appearance.h"
#include "platform/device_pixels.h"
#include "platform/qt/qt_internal.h"

namespace plat {

std::uint32_t system_face_colour() {
    const QColor c = qt::colour_from(0xFF000000u);
    return static_cast<std::uint32_t>(c.red()) | (static_cast<std::uint32_t>(c.green()) << 8) |
           (static_cast<std::uint32_t>(c.blue()) << 16);
}

void set_window_region(Widget* w, std::span<const Rect> rects, double ratio) {
    QWidget* q = qt::qwidget(w);
    if (!q || !(ratio > 0)) return;
    w->shaped = !rects.empty();
    w->shape.assign(rects.begin(), rects.end());
    w->shape_client = {};
    for (const Rect& r : rects) {
        const Rect c = client_pixels_in(r, ratio);
        if (c.width > 0 && c.height > 0) w->shape_client += QRect(c.left, c.top, c.width, c.height);
    }
    // On X11 the native window is cut at its own pixels; Qt's mask would cut
    // it in client pixels, scaled up in steps of the ratio.
    if (!qt::x_shape(q, w)) {
        if (w->shaped)
            q->setMask(w->shape_client);
        else
            q->clearMask();
    }
    // The uncovered part is not repainted by itself.
    q->update();
}

bool window_region_contains(Widget* w, int x, int y) {
    QWidget* q = qt::qwidget(w);
    if (!q) return false;
    return w->shaped ? w->shape_client.contains(QPoint(x, y)) : q->rect().contains(x, y);
}

}  // namespace plat
