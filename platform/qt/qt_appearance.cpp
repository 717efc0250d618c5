// The window mask and the system face colour on Qt.
#include <QApplication>
#include <QIcon>
#include <QPalette>
#include <QPixmap>
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

bool set_window_icon(Widget* w, const PixelView& image, std::span<const std::uint8_t> alpha) {
    QWidget* q = qt::qwidget(w);
    if (!q || !image.pixels || image.width <= 0 || image.height <= 0) return false;
    q->setWindowIcon(QIcon(QPixmap::fromImage(qt::icon_image(image, alpha))));
    return true;
}

}  // namespace plat
