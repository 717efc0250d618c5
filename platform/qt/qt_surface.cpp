// Surfaces: background colour, presented pixels, and the owner's paint call.
#include "platform/qt/qt_surface.h"

#include <QBackingStore>
#include <QPaintEvent>
#include <QPainter>
#include <QWindow>
#include <algorithm>
#include <cstring>

#include "platform/qt/qt_internal.h"

namespace plat {
namespace qt {

namespace {
int g_painting = 0;  // paint events under way
QImage converted(const PixelView& pixels, const QRect& area);
}  // namespace

Surface::Surface(QWidget* parent, Qt::WindowFlags flags) : QWidget(parent, flags) {
    // We paint every pixel ourselves: no system background first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
}

void Surface::paintEvent(QPaintEvent* event) {
    Widget* w = widget_of(this);
    if (!w) return;
    const QRect area = event->rect();
    {
        QPainter p(this);
        // The owner's attached pixels or the presented image; beyond them the
        // background colour.
        const bool attached = w->attached.pixels != nullptr;
        const QRect shown = attached ? QRect(0, 0, w->attached.width, w->attached.height)
                                     : w->image.rect();  // empty for a null image
        const QRect covered = area.intersected(shown);
        const QColor background = colour_from(w->background);
        for (const QRect& r : QRegion(area).subtracted(covered)) p.fillRect(r, background);
        if (!covered.isEmpty()) {
            // Exposes are rare: attached pixels are converted just where asked.
            if (attached)
                p.drawImage(covered.topLeft(), converted(w->attached, covered));
            else
                p.drawImage(covered.topLeft(), w->image, covered);
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

void Surface::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Widget* w = widget_of(this);
    if (!w || w->image.isNull() || w->image.size() == size()) return;
    // Keep the top-left part that still fits; the rest shows the background.
    QImage grown(std::max(1, width()), std::max(1, height()), QImage::Format_RGB32);
    grown.fill(colour_from(w->background));
    QPainter p(&grown);
    p.drawImage(0, 0, w->image);
    p.end();
    w->image = std::move(grown);
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

// Row conversions to the image's opaque 0xAARRGGBB. Each writes only the
// pixels that differ and widens `changed` (columns, half-open) over them, so
// a tick repaints no more of the screen than moved.
struct Span {
    int first = 0, last = 0;  // empty when first >= last
    void add(int a, int b) {
        if (first >= last) {
            first = a;
            last = b;
        } else {
            first = std::min(first, a);
            last = std::max(last, b);
        }
    }
};

Quad xrgb(Quad c) {
    return c | 0xFF000000u;
}

Quad xbgr(Quad c) {
    return 0xFF000000u | ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

template <Quad (*convert)(Quad)>
void copy_row(const std::uint32_t* in, std::uint32_t* out, int n, Span& changed) {
    int i = 0;
    for (; i + 4 <= n; i += 4) {
        const Quad c = convert(load(in + i));
        const Quad differs = (Quad)(c != load(out + i));
        if ((differs[0] | differs[1] | differs[2] | differs[3]) == 0) continue;
        store(out + i, c);
        changed.add(i, i + 4);
    }
    for (; i < n; ++i) {
        Quad c{};
        c[0] = in[i];
        const std::uint32_t v = convert(c)[0];
        if (out[i] == v) continue;
        out[i] = v;
        changed.add(i, i + 1);
    }
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

// Whether all of `area` (in q's coordinates) lies inside q's ancestors and
// under none of the widgets stacked above q or above an ancestor. Cheaper
// than building q's visible region every second; a sibling's mask is taken
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

// Puts a changed area of a widget's image on the screen without a repaint:
// the pixels go straight into the window's back buffer, which is then sent to
// the X server. The clock's face changes every second; the full repaint
// machinery (events, the paint event, a painter, a round trip to the server
// before painting) would cost more than composing the face itself. Gives
// false when that shortcut does not apply and a repaint is needed.
bool put_on_screen(QWidget* q, const PixelView& pixels, const QRect& area) {
    if (g_painting > 0) return false;
    QWidget* top = q->window();
    QWindow* window = top->windowHandle();
    QBackingStore* store = top->backingStore();
    if (!window || !store || !window->isExposed() || !q->isVisible() || !q->updatesEnabled())
        return false;
    // Another widget above part of this one would be painted over.
    if (!unobscured(q, area)) return false;
    QPaintDevice* device = store->paintDevice();
    if (!device || device->devType() != QInternal::Image) return false;
    auto* back = static_cast<QImage*>(device);
    if (back->devicePixelRatio() != 1.0 || (back->format() != QImage::Format_RGB32 &&
                                            back->format() != QImage::Format_ARGB32_Premultiplied))
        return false;
    const QRect target(q->mapTo(top, area.topLeft()), area.size());
    if (!back->rect().contains(target)) return false;
    const qsizetype out_stride = back->bytesPerLine();
    convert_area(pixels, area, back->bits() + target.top() * out_stride + target.left() * 4,
                 out_stride);
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

void present(Widget* w, const PixelView& view, Rect source, Point at) {
    if (!w || !w->q || !view.pixels || view.width <= 0 || view.height <= 0) return;
    QWidget* q = w->q;
    if (w->image.isNull()) {
        w->image = QImage(std::max(1, q->width()), std::max(1, q->height()), QImage::Format_RGB32);
        w->image.fill(qt::colour_from(w->background));
    }
    // Clip the source to the view, then the destination to the image.
    QRect src = QRect(source.left, source.top, source.width, source.height)
                    .intersected(QRect(0, 0, view.width, view.height));
    QRect dst(at.x + (src.left() - source.left), at.y + (src.top() - source.top), src.width(),
              src.height());
    QRect clipped = dst.intersected(w->image.rect());
    if (clipped.isEmpty()) return;
    const int dx = clipped.left() - dst.left(), dy = clipped.top() - dst.top();
    // scanLine() detaches only on its first call: take the base and stride
    // once and convert rows in tight loops.
    std::uint8_t* base = w->image.bits();
    const qsizetype out_stride = w->image.bytesPerLine();
    const int n = clipped.width();
    const bool xrgb = view.layout == PixelLayout::kXRGB;
    qt::Span columns, rows;
    for (int row = 0; row < clipped.height(); ++row) {
        const std::uint32_t* in = view.pixels +
                                  static_cast<std::ptrdiff_t>(src.top() + dy + row) * view.stride +
                                  src.left() + dx;
        auto* out = reinterpret_cast<std::uint32_t*>(base + (clipped.top() + row) * out_stride) +
                    clipped.left();
        qt::Span line;
        if (xrgb)
            qt::copy_row<qt::xrgb>(in, out, n, line);
        else
            qt::copy_row<qt::xbgr>(in, out, n, line);
        if (line.first >= line.last) continue;
        columns.add(line.first, line.last);
        rows.add(row, row + 1);
    }
    if (rows.first >= rows.last) return;  // the screen already shows these pixels
    const QRect changed(clipped.left() + columns.first, clipped.top() + rows.first,
                        columns.last - columns.first, rows.last - rows.first);
    const PixelView shown{reinterpret_cast<const std::uint32_t*>(w->image.constBits()),
                          w->image.width(), w->image.height(),
                          static_cast<int>(w->image.bytesPerLine() / 4), PixelLayout::kXRGB};
    if (!qt::put_on_screen(q, shown, changed)) q->update(changed);
}

void clear_presented(Widget* w) {
    if (!w || !w->q) return;
    w->image = QImage();
    w->q->update();
}

void attach_pixels(Widget* w, const PixelView& pixels) {
    if (!w || !w->q) return;
    w->attached = pixels.pixels && pixels.width > 0 && pixels.height > 0 ? pixels : PixelView{};
    w->image = QImage();  // the attached pixels are the record now
}

void detach_pixels(Widget* w) {
    if (!w || !w->q || !w->attached.pixels) return;
    w->attached = {};
    w->q->update();
}

void present_attached(Widget* w, Rect area) {
    if (!w || !w->q || !w->attached.pixels) return;
    const QRect shown = QRect(area.left, area.top, area.width, area.height)
                            .intersected(QRect(0, 0, w->attached.width, w->attached.height))
                            .intersected(w->q->rect());
    if (shown.isEmpty()) return;
    if (!qt::put_on_screen(w->q, w->attached, shown)) w->q->update(shown);
}

std::uint32_t surface_pixel(Widget* w, int x, int y) {
    if (!w || !w->q || x < 0 || y < 0 || x >= w->q->width() || y >= w->q->height()) return 0;
    const PixelView& a = w->attached;
    if (a.pixels && x < a.width && y < a.height) {
        const std::uint32_t v = a.pixels[static_cast<std::ptrdiff_t>(y) * a.stride + x] & 0xFFFFFFu;
        return a.layout == PixelLayout::kXBGR
                   ? v
                   : ((v & 0xFF) << 16) | (v & 0xFF00) | ((v >> 16) & 0xFF);
    }
    const bool from_image = !a.pixels && !w->image.isNull() && w->image.rect().contains(x, y);
    const QColor c =
        from_image ? QColor::fromRgb(w->image.pixel(x, y)) : qt::colour_from(w->background);
    return static_cast<std::uint32_t>(c.red()) | (static_cast<std::uint32_t>(c.green()) << 8) |
           (static_cast<std::uint32_t>(c.blue()) << 16);
}

void request_repaint(Widget* w, Rect area) {
    if (!w || !w->q) return;
    if (area.width <= 0 || area.height <= 0)
        w->q->update();
    else
        w->q->update(QRect(area.left, area.top, area.width, area.height));
}

}  // namespace plat
