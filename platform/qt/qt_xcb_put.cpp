// Pixels straight into a window's X window with PutImage on Qt's own
// connection: for a window redrawn every second, the backing store's copy,
// its region bookkeeping and its flush cost more than the pixels themselves.
#include <QGuiApplication>
#include <QWidget>
#include <algorithm>
#include <bit>
#include <cstdlib>
#include <vector>

#include "platform/device_pixels.h"
#include "platform/qt/qt_internal.h"

#include <xcb/shape.h>
#include <xcb/xcb.h>

namespace plat::qt {
namespace {

xcb_connection_t* connection() {
    auto* app = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return app ? app->connection() : nullptr;
}

// Whether ZPixmap images of `depth` are 32 bits a pixel, rows padded to 32.
bool words_per_pixel(const xcb_setup_t* setup, std::uint8_t depth) {
    for (auto it = xcb_setup_pixmap_formats_iterator(setup); it.rem; xcb_format_next(&it))
        if (it.data->depth == depth)
            return it.data->bits_per_pixel == 32 && it.data->scanline_pad == 32;
    return false;
}

// Whether `visual` is TrueColor with 8 bits each of red, green and blue
// where 0x00RRGGBB words put them.
bool rgb_visual(const xcb_setup_t* setup, xcb_visualid_t visual) {
    for (auto screen = xcb_setup_roots_iterator(setup); screen.rem; xcb_screen_next(&screen))
        for (auto depth = xcb_screen_allowed_depths_iterator(screen.data); depth.rem;
             xcb_depth_next(&depth))
            for (auto v = xcb_depth_visuals_iterator(depth.data); v.rem; xcb_visualtype_next(&v))
                if (v.data->visual_id == visual)
                    return v.data->_class == XCB_VISUAL_CLASS_TRUE_COLOR &&
                           v.data->red_mask == 0xFF0000u && v.data->green_mask == 0xFF00u &&
                           v.data->blue_mask == 0xFFu;
    return false;
}

}  // namespace

bool open_x_target(QWidget* q, Widget* w) {
    xcb_connection_t* c = connection();
    // Any ratio: the native window is at device pixels, as the pixels sent.
    if (!c || !q || !w) return false;
    const auto window = static_cast<xcb_window_t>(q->winId());
    if (!window) return false;
    xcb_get_geometry_reply_t* geometry =
        xcb_get_geometry_reply(c, xcb_get_geometry(c, window), nullptr);
    xcb_get_window_attributes_reply_t* attributes =
        xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, window), nullptr);
    const xcb_setup_t* setup = xcb_get_setup(c);
    const bool fits = geometry && attributes && (geometry->depth == 24 || geometry->depth == 32) &&
                      words_per_pixel(setup, geometry->depth) &&
                      rgb_visual(setup, attributes->visual);
    const std::uint8_t depth = geometry ? geometry->depth : 0;
    std::free(geometry);
    std::free(attributes);
    if (!fits) return false;
    w->x_gc = xcb_generate_id(c);
    const std::uint32_t no_exposures = 0;
    xcb_create_gc(c, w->x_gc, window, XCB_GC_GRAPHICS_EXPOSURES, &no_exposures);
    w->x_depth = depth;
    w->x_swap = (setup->image_byte_order == XCB_IMAGE_ORDER_MSB_FIRST) !=
                (std::endian::native == std::endian::big);
    return true;
}

void close_x_target(Widget* w) {
    xcb_connection_t* c = connection();
    if (c && w && w->x_gc) xcb_free_gc(c, w->x_gc);
    if (w) w->x_gc = 0;
}

std::size_t x_put_limit() {
    static const std::size_t limit = [] {
        xcb_connection_t* c = connection();
        // Counted in 4-byte units, the request's own header included.
        const std::size_t units = c ? xcb_get_maximum_request_length(c) : 0;
        return units > 64 ? units * 4 - sizeof(xcb_put_image_request_t) : 0;
    }();
    return limit;
}

void x_put(const Widget* w, int x, int y, int width, int height, const std::uint32_t* words) {
    xcb_connection_t* c = connection();
    if (!c || !w || !w->x_gc || !w->q || width <= 0 || height <= 0) return;
    xcb_put_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, static_cast<xcb_window_t>(w->q->internalWinId()),
                  w->x_gc, static_cast<std::uint16_t>(width), static_cast<std::uint16_t>(height),
                  static_cast<std::int16_t>(x), static_cast<std::int16_t>(y), 0, w->x_depth,
                  static_cast<std::uint32_t>(width) * static_cast<std::uint32_t>(height) * 4,
                  reinterpret_cast<const std::uint8_t*>(words));
}

void x_flush() {
    if (xcb_connection_t* c = connection()) xcb_flush(c);
}

void x_fit_children(QWidget* top) {
    xcb_connection_t* c = connection();
    if (!c || !top) return;
    const double ratio = top->devicePixelRatioF();
    for (QWidget* child : top->findChildren<QWidget*>()) {
        const auto window = static_cast<xcb_window_t>(child->internalWinId());
        if (!window || child->isWindow()) continue;
        const std::uint32_t values[] = {
            static_cast<std::uint32_t>(device_length(child->x(), ratio)),
            static_cast<std::uint32_t>(device_length(child->y(), ratio)),
            static_cast<std::uint32_t>(std::max(1, device_length(child->width(), ratio))),
            static_cast<std::uint32_t>(std::max(1, device_length(child->height(), ratio)))};
        xcb_configure_window(c, window,
                             XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y | XCB_CONFIG_WINDOW_WIDTH |
                                 XCB_CONFIG_WINDOW_HEIGHT,
                             values);
    }
    xcb_flush(c);
}

bool x_shape(QWidget* top, const Widget* w) {
    xcb_connection_t* c = connection();
    if (!c || !top || !w) return false;
    const xcb_query_extension_reply_t* shape = xcb_get_extension_data(c, &xcb_shape_id);
    if (!shape || !shape->present) return false;
    // Not created yet: cut when it is (the WinIdChange event).
    const auto window = static_cast<xcb_window_t>(top->internalWinId());
    if (!window) return true;
    if (!w->shaped) {
        xcb_shape_mask(c, XCB_SHAPE_SO_SET, XCB_SHAPE_SK_BOUNDING, window, 0, 0, XCB_NONE);
    } else {
        std::vector<xcb_rectangle_t> rects;
        rects.reserve(w->shape.size());
        for (const Rect& r : w->shape)
            if (r.width > 0 && r.height > 0)
                rects.push_back(
                    {static_cast<std::int16_t>(r.left), static_cast<std::int16_t>(r.top),
                     static_cast<std::uint16_t>(r.width), static_cast<std::uint16_t>(r.height)});
        xcb_shape_rectangles(c, XCB_SHAPE_SO_SET, XCB_SHAPE_SK_BOUNDING, XCB_CLIP_ORDERING_UNSORTED,
                             window, 0, 0, static_cast<std::uint32_t>(rects.size()), rects.data());
    }
    xcb_flush(c);
    return true;
}

}  // namespace plat::qt
