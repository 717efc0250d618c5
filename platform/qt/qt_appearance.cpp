// The window mask and the system face colour on Qt.
#include <QApplication>
#include <QPalette>
#include <QRegion>

#include "platform/appearance.h"
#include "platform/qt/qt_internal.h"

namespace plat {

std::uint32_t system_face_colour() {
    const QColor c = qt::colour_from(0xFF000000u);
    return static_cast<std::uint32_t>(c.red()) | (static_cast<std::uint32_t>(c.green()) << 8) |
           (static_cast<std::uint32_t>(c.blue()) << 16);
}

void set_window_region(Widget* w, std::span<const Rect> rects) {
    QWidget* q = qt::qwidget(w);
    if (!q) return;
    if (rects.empty()) {
        q->clearMask();
    } else {
        QRegion region;
        for (const Rect& r : rects) region += QRect(r.left, r.top, r.width, r.height);
        q->setMask(region);
    }
    // The uncovered part is not repainted by itself.
    q->update();
}

bool window_region_contains(Widget* w, int x, int y) {
    QWidget* q = qt::qwidget(w);
    if (!q) return false;
    const QRegion mask = q->mask();
    return mask.isEmpty() ? q->rect().contains(x, y) : mask.contains(QPoint(x, y));
}

}  // namespace plat
