// Surfaces: background colour, the owner's attached pixels, and its paint call.
#include "platform/qt/qt_surface.h"

#include <QBackingStore>
#include <QPaintEvent>
#include <QPainter>
#include <QWindow>
#include <QtEndian>
#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/device_pixels.h"
#include "platform/qt/qt_internal.h"

namespace plat {
namespace qt {

namespace {
int g_painting = 0;  // paint events under way
QImage converted(const PixelView& pixels, const QRect& area);
void put_to_x(QWidget* q, const Widget* w, const QRegion& area);

QRect device_rect(const QRect& client, double ratio) {
    const Rect d = to_device(Rect{client.x(), client.y(), client.width(), client.height()}, ratio);
    return {d.left, d.top, d.width, d.height};
}

QRect client_rect(const QRect& device, double ratio) {
    const Rect c = to_client(Rect{device.x(), device.y(), device.width(), device.height()}, ratio);
    return {c.left, c.top, c.width, c.height};
}

// The device pixels of q's own X window or of its part of the back buffer.
QRect device_bounds(const QWidget* q, double ratio) {
    return {0, 0, device_length(q->width(), ratio), device_length(q->height(), ratio)};
}
}  // namespace

Surface::Surface(QWidget* parent, Qt::WindowFlags flags) : QWidget(parent, flags) {
    // We paint every pixel ourselves: no system background first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
}

QPaintEngine* Surface::paintEngine() const {
    const Widget* w = widget_of(this);
    return w && w->x_gc ? nullptr : QWidget::paintEngine();
}

void Surface::paintEvent(QPaintEvent* event) {
    Widget* w = widget_of(this);
    if (!w) return;
    check_ratio(window());
    const QRect area = event->rect();
    if (w->x_gc) {
        // The controls inside are windows of their own and send their part.
        QRegion own = event->region();
        for (const QObject* o : children())
            if (o->isWidgetType() && static_cast<const QWidget*>(o)->isVisible())
                own -= static_cast<const QWidget*>(o)->geometry();
        // Exposes come in client pixels; the X window is at device pixels.
        const double ratio = devicePixelRatioF();
        const QRect bounds = device_bounds(this, ratio);
        QRegion device;
        for (const QRect& r : own) device += device_rect(r, ratio).intersected(bounds);
        put_to_x(this, w, device);
    } else {
        QPainter p(this);
        // The owner's attached pixels (device pixels, drawn at their ratio);
        // beyond them the background colour.
        const PixelView& a = w->attached;
        // The client pixels they cover whole.
        const QRect inner = a.pixels ? QRect(0, 0, static_cast<int>(a.width / a.ratio + 1e-9),
                                             static_cast<int>(a.height / a.ratio + 1e-9))
                                     : QRect();
        const QColor background = colour_from(w->background);
        for (const QRect& r : QRegion(area).subtracted(inner)) p.fillRect(r, background);
        // Exposes are rare: attached pixels are converted just where asked.
        const QRect covered =
            a.pixels ? device_rect(area, a.ratio).intersected(QRect(0, 0, a.width, a.height))
                     : QRect();
        if (!covered.isEmpty()) {
            QImage part = converted(a, covered);
            part.setDevicePixelRatio(a.ratio);
            p.drawImage(QPointF(covered.x() / a.ratio, covered.y() / a.ratio), part);
        }
    }
    if (w->callbacks.paint) {
        auto paint = w->callbacks.paint;
        // What the owner presents now is part of this paint, not a shortcut.
        ++g_painting;
        paint({area.left(), area.top(), area.width(), area.height()});
        --g_painting;
    }
}

namespace {

// Four pixels at a time (SSE2 on x86-64, NEON on ARM; plain code elsewhere).
typedef std::uint32_t Quad __attribute__((vector_size(16)));

Quad load(const std::uint32_t* p) {
    Quad q;
    std::memcpy(&q, p, sizeof q);
    return q;
}

void store(std::uint32_t* p, Quad q) {
    std::memcpy(p, &q, sizeof q);
}

Quad xrgb(Quad c) {
    return c | 0xFF000000u;
}

Quad xbgr(Quad c) {
    return 0xFF000000u | ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

// A row converted to the opaque 0xAARRGGBB of Qt's images, every pixel.
template <Quad (*convert)(Quad)>
void convert_row(const std::uint32_t* in, std::uint32_t* out, int n) {
    int i = 0;
    for (; i + 4 <= n; i += 4) store(out + i, convert(load(in + i)));
    for (; i < n; ++i) {
        Quad c{};
        c[0] = in[i];
        out[i] = convert(c)[0];
    }
}

// `area` of the pixels as opaque 0xAARRGGBB rows starting at `out`.
void convert_area(const PixelView& pixels, const QRect& area, std::uint8_t* out,
                  qsizetype out_stride) {
    for (int row = 0; row < area.height(); ++row) {
        const std::uint32_t* in = pixels.pixels +
                                  static_cast<std::ptrdiff_t>(area.top() + row) * pixels.stride +
                                  area.left();
        auto* line = reinterpret_cast<std::uint32_t*>(out + row * out_stride);
        if (pixels.layout == PixelLayout::kXRGB)
            convert_row<xrgb>(in, line, area.width());
        else
            convert_row<xbgr>(in, line, area.width());
    }
}

QImage converted(const PixelView& pixels, const QRect& area) {
    QImage part(area.size(), QImage::Format_RGB32);
    convert_area(pixels, area, part.bits(), part.bytesPerLine());
    return part;
}

// Pixels attached for another ratio than the window's (its screen has just
// changed, or their owner draws at one ratio only), each device pixel taking
// the attached pixel under its centre.
void compose_resampled(const Widget* w, const QRect& area, double ratio, std::uint8_t* out,
                       qsizetype out_stride) {
    const PixelView& pixels = w->attached;
    const double step = pixels.ratio / ratio;
    const std::uint32_t fill = colour_from(w->background).rgb() | 0xFF000000u;
    for (int row = 0; row < area.height(); ++row) {
        auto* line = reinterpret_cast<std::uint32_t*>(out + row * out_stride);
        const int sy = static_cast<int>((area.top() + row + 0.5) * step);
        for (int i = 0; i < area.width(); ++i) {
            const int sx = static_cast<int>((area.left() + i + 0.5) * step);
            line[i] = fill;
            if (pixels.pixels && sx < pixels.width && sy < pixels.height)
                convert_area(pixels, QRect(sx, sy, 1, 1), reinterpret_cast<std::uint8_t*>(line + i),
                             out_stride);
        }
    }
}

// `area` of what w shows (its attached pixels, the background colour beyond
// them) in the window's device pixels at `ratio`, as opaque 0xAARRGGBB rows
// starting at `out`.
void compose_area(const Widget* w, const QRect& area, double ratio, std::uint8_t* out,
                  qsizetype out_stride) {
    const PixelView& pixels = w->attached;
    if (pixels.pixels && pixels.ratio != ratio) {
        compose_resampled(w, area, ratio, out, out_stride);
        return;
    }
    const QRect shown = pixels.pixels ? QRect(0, 0, pixels.width, pixels.height) : QRect();
    const QRect inside = area.intersected(shown);
    if (inside != area) {
        const std::uint32_t fill = colour_from(w->background).rgb() | 0xFF000000u;
        for (int row = 0; row < area.height(); ++row) {
            auto* line = reinterpret_cast<std::uint32_t*>(out + row * out_stride);
            std::fill(line, line + area.width(), fill);
        }
    }
    if (!inside.isEmpty())
        convert_area(
            pixels, inside,
            out + (inside.top() - area.top()) * out_stride + (inside.left() - area.left()) * 4,
            out_stride);
}

// `area` of q (device pixels of its attached pixels, the background colour
// beyond them) sent into its own X window, in bands each small enough for one
// request (a whole 288 x 288 window is over the 256 KB a request carries
// without BIG-REQUESTS). Parts under a window or off the screen are dropped
// by the server; their expose brings them back. `area` is in the X window's
// device pixels.
void put_to_x(QWidget* q, const Widget* w, const QRegion& area) {
    const QWindow* window = q->window()->windowHandle();
    if (area.isEmpty() || !window || !window->isExposed() || !q->isVisible()) return;
    const double ratio = q->devicePixelRatioF();
    const std::size_t limit = x_put_limit();
    // Kept between calls: a tick's few boxes need no allocation.
    static std::vector<std::uint32_t> scratch;
    for (const QRect& r : area) {
        const std::size_t row_bytes = static_cast<std::size_t>(r.width()) * 4;
        const int band =
            static_cast<int>(std::clamp<std::size_t>(limit / row_bytes, 1, r.height()));
        for (int y = r.top(); y <= r.bottom(); y += band) {
            const int rows = std::min(band, r.bottom() + 1 - y);
            scratch.resize(static_cast<std::size_t>(r.width()) * rows);
            compose_area(w, QRect(r.left(), y, r.width(), rows), ratio,
                         reinterpret_cast<std::uint8_t*>(scratch.data()),
                         static_cast<qsizetype>(row_bytes));
            if (w->x_swap)
                for (std::uint32_t& word : scratch) word = qbswap(word);
            x_put(w, r.left(), y, r.width(), rows, scratch.data());
        }
    }
    // An expose's bands are not kept for the next tick.
    if (scratch.capacity() > 16 * 1024) std::vector<std::uint32_t>().swap(scratch);
    x_flush();
}

// Whether all of `area` (in q's coordinates) lies inside q's ancestors and
// under none of the widgets stacked above q or above an ancestor. Cheaper
// than building q's visible region for every present; a sibling's mask is taken
// as its whole rectangle, which only ever sends us the slow way.
bool unobscured(const QWidget* q, QRect area) {
    for (const QWidget* w = q; !w->isWindow(); w = w->parentWidget()) {
        const QWidget* parent = w->parentWidget();
        if (!parent) return false;
        area.translate(w->pos());
        if (!parent->rect().contains(area)) return false;
        const QObjectList& siblings = parent->children();
        bool above = false;
        for (const QObject* o : siblings) {
            if (o == w) {
                above = true;
                continue;
            }
            if (!above || !o->isWidgetType()) continue;
            const auto* s = static_cast<const QWidget*>(o);
            if (!s->isWindow() && s->isVisible() && s->geometry().intersects(area)) return false;
        }
    }
    return true;
}

// Puts changed areas of a widget's attached pixels on the screen without a
// repaint: inside the backing store's beginPaint and endPaint for just those
// areas, the pixels are converted into the window's back buffer, which is
// then flushed. A widget that changes a little and often would otherwise pay
// for the whole repaint machinery (events, the paint event, a painter) each
// time. The backing store uploads each box of the region by itself, so a
// staircase of narrow boxes sends only their pixels. `area` is in device
// pixels; the back buffer is at device pixels too, the store's calls take
// the client pixels that cover it. Gives false when this does not apply and
// a repaint is needed.
bool put_on_screen(QWidget* q, const Widget* w, const QRegion& area) {
    if (g_painting > 0) return false;
    QWidget* top = q->window();
    QWindow* window = top->windowHandle();
    QBackingStore* store = top->backingStore();
    if (!window || !store || !window->isExposed() || !q->isVisible() || !q->updatesEnabled())
        return false;
    const double ratio = q->devicePixelRatioF();
    // Pixels for another ratio are scaled by a repaint.
    if (w->attached.ratio != ratio) return false;
    QRegion client;
    for (const QRect& r : area) client += client_rect(r, ratio);
    client &= q->rect();
    // Another widget above part of this one would be painted over.
    if (client.isEmpty() || !unobscured(q, client.boundingRect())) return false;
    const QPoint offset = q->mapTo(top, QPoint(0, 0));
    const QRegion target = client.translated(offset);
    store->beginPaint(target);
    QPaintDevice* device = store->paintDevice();
    auto* back =
        device && device->devType() == QInternal::Image ? static_cast<QImage*>(device) : nullptr;
    const bool fits = back && back->devicePixelRatio() == ratio &&
                      (back->format() == QImage::Format_RGB32 ||
                       back->format() == QImage::Format_ARGB32_Premultiplied);
    if (fits) {
        // Every device pixel of the client boxes is written: the store may
        // clear and send them all. At a fractional ratio the store rounds
        // box edges to the nearest device pixel, one beyond outward at most.
        const int pad = ratio == std::floor(ratio) ? 0 : 1;
        const QPoint at(device_length(offset.x(), ratio), device_length(offset.y(), ratio));
        const QRect bounds = device_bounds(q, ratio).intersected(back->rect().translated(-at));
        const qsizetype out_stride = back->bytesPerLine();
        for (const QRect& c : client) {
            const QRect d =
                device_rect(c, ratio).adjusted(-pad, -pad, pad, pad).intersected(bounds);
            if (!d.isEmpty())
                compose_area(
                    w, d, ratio,
                    back->bits() + (d.top() + at.y()) * out_stride + (d.left() + at.x()) * 4,
                    out_stride);
        }
    }
    store->endPaint();
    if (!fits) return false;
    store->flush(target, window);
    return true;
}

}  // namespace
}  // namespace qt

void set_background_colour(Widget* w, std::uint32_t colour) {
    if (!w || !w->q) return;
    w->background = colour;
    w->q->update();
}

void attach_pixels(Widget* w, const PixelView& pixels) {
    if (!w || !w->q) return;
    const bool usable = pixels.pixels && pixels.width > 0 && pixels.height > 0 &&
                        pixels.ratio > 0 && pixels.ratio < 64;
    w->attached = usable ? pixels : PixelView{};
}

void detach_pixels(Widget* w) {
    if (!w || !w->q || !w->attached.pixels) return;
    w->attached = {};
    w->q->update();
}

void present_attached(Widget* w, std::span<const Rect> areas) {
    if (!w || !w->q || !w->attached.pixels) return;
    const PixelView& a = w->attached;
    const double ratio = w->q->devicePixelRatioF();
    const QRect window = qt::device_bounds(w->q, ratio);
    QRect bounds(0, 0, a.width, a.height);
    if (a.ratio == ratio) bounds &= window;
    QRegion shown;
    for (const Rect& r : areas)
        shown += QRect(r.left, r.top, r.width, r.height).intersected(bounds);
    if (shown.isEmpty()) return;
    if (w->x_gc) {
        // A native window: the server clips it by whatever lies above.
        if (a.ratio == ratio) {
            qt::put_to_x(w->q, w, shown);
            return;
        }
        // Its device pixels are at the window's ratio, not the pixels' own.
        QRegion device;
        for (const QRect& r : shown)
            device += qt::device_rect(qt::client_rect(r, a.ratio), ratio).intersected(window);
        qt::put_to_x(w->q, w, device);
        return;
    }
    if (qt::put_on_screen(w->q, w, shown)) return;
    QRegion client;
    for (const QRect& r : shown) client += qt::client_rect(r, a.ratio);
    w->q->update(client);
}

namespace qt {
// Each surface of the window becomes an X window of its own (Qt makes the
// children of a window painting on screen native anyway) and sends its
// pixels there. Without paint engine or backing store, Qt still delivers
// paint events (exposes, update()), which send their area the same way.
void paint_on_screen(QWidget* q, Widget* w) {
    if (!w->x_gc && qobject_cast<Surface*>(q) && open_x_target(q, w))
        q->setAttribute(Qt::WA_PaintOnScreen);
}
}  // namespace qt

void set_redrawn_often(Widget* w) {
    QWidget* q = qt::qwidget(w);
    if (!q || !w->window || w->redrawn_often) return;
    w->redrawn_often = true;
    qt::paint_on_screen(q, w);
    if (!w->x_gc) return;  // not X11, or pixels it cannot take as they are
    for (qt::Surface* child : q->findChildren<qt::Surface*>())
        if (Widget* c = qt::widget_of(child)) qt::paint_on_screen(child, c);
}

double device_ratio(Widget* w) {
    QWidget* q = qt::qwidget(w);
    return q ? q->devicePixelRatioF() : 1.0;
}

std::uint32_t surface_pixel(Widget* w, int x, int y) {
    if (!w || !w->q || x < 0 || y < 0 || x >= w->q->width() || y >= w->q->height()) return 0;
    const PixelView& a = w->attached;
    // The device pixel at the client pixel's top-left corner.
    const Rect d = to_device(Rect{x, y, 1, 1}, a.ratio);
    if (a.pixels && d.left < a.width && d.top < a.height) {
        const std::uint32_t v =
            a.pixels[static_cast<std::ptrdiff_t>(d.top) * a.stride + d.left] & 0xFFFFFFu;
        return a.layout == PixelLayout::kXBGR
                   ? v
                   : ((v & 0xFF) << 16) | (v & 0xFF00) | ((v >> 16) & 0xFF);
    }
    const QColor c = qt::colour_from(w->background);
    return static_cast<std::uint32_t>(c.red()) | (static_cast<std::uint32_t>(c.green()) << 8) |
           (static_cast<std::uint32_t>(c.blue()) << 16);
}

std::vector<std::uint32_t> presented_pixels(Widget* w) {
    if (!w || !w->q) return {};
    QWidget* top = w->q->window();
    QBackingStore* store = top->backingStore();
    QPaintDevice* device = store ? store->paintDevice() : nullptr;
    if (!device || device->devType() != QInternal::Image) return {};
    // The back buffer is at device pixels, and so is what is given.
    const auto* back = static_cast<const QImage*>(device);
    const double ratio = back->devicePixelRatio();
    const QPoint at = w->q->mapTo(top, QPoint(0, 0));
    const QRect area(device_length(at.x(), ratio), device_length(at.y(), ratio),
                     device_length(w->q->width(), ratio), device_length(w->q->height(), ratio));
    if (!back->rect().contains(area)) return {};
    const QImage rows = back->copy(area).convertToFormat(QImage::Format_RGB32);
    std::vector<std::uint32_t> pixels;
    pixels.reserve(static_cast<std::size_t>(area.width()) * area.height());
    for (int y = 0; y < rows.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rows.constScanLine(y));
        for (int x = 0; x < rows.width(); ++x)
            pixels.push_back(static_cast<std::uint32_t>(qRed(line[x])) |
                             (static_cast<std::uint32_t>(qGreen(line[x])) << 8) |
                             (static_cast<std::uint32_t>(qBlue(line[x])) << 16));
    }
    return pixels;
}

void request_repaint(Widget* w, Rect area) {
    if (!w || !w->q) return;
    if (area.width <= 0 || area.height <= 0)
        w->q->update();
    else
        w->q->update(QRect(area.left, area.top, area.width, area.height));
}

}  // namespace plat
