#include "forms/appearance/window_look.h"

#include <algorithm>
#include <vector>

#include "forms/appearance/shape_region.h"
#include "platform/appearance.h"
#include "platform/device_pixels.h"

namespace vel {
namespace {

// The program's windows that are marked always on top.
std::vector<WindowLook*>& top_most() {
    static std::vector<WindowLook*> looks;
    return looks;
}

}  // namespace

WindowLook::WindowLook(plat::Widget* window, std::uint32_t colour, std::string picture, int mode,
                       int shape, bool on_top)
    : m_window(window), m_shape(shape), m_on_top(on_top) {
    m_background.set_colour(colour);
    m_background.set_picture(std::move(picture));
    m_background.set_mode(mode);
    plat::set_background_colour(m_window, colour);
    if (m_on_top) top_most().push_back(this);
    resized();
}

WindowLook::~WindowLook() {
    std::erase(top_most(), this);
    plat::detach_pixels(m_window);  // they go with the background
}

void WindowLook::set_colour(std::uint32_t colour) {
    m_background.set_colour(colour);
    plat::set_background_colour(m_window, colour);
    repaint_background();
}

void WindowLook::set_picture(std::string bytes) {
    m_background.set_picture(std::move(bytes));
    repaint_background();
}

void WindowLook::set_mode(int mode) {
    m_background.set_mode(mode);
    repaint_background();
}

void WindowLook::set_shape(int shape) {
    m_shape = shape;
    apply_shape();
}

void WindowLook::set_on_top(bool on) {
    m_on_top = on;
    std::erase(top_most(), this);
    if (on) top_most().push_back(this);
    plat::set_stays_on_top(m_window, on);
    // Leaving the band must not take the program's other top-most windows
    // out with it.
    if (!on)
        for (WindowLook* other : top_most()) plat::set_stays_on_top(other->m_window, true);
}

void WindowLook::resized() {
    const plat::Rect g = plat::geometry(m_window);
    const double ratio = plat::device_ratio(m_window);
    if (g.width == m_applied.width && g.height == m_applied.height && ratio == m_applied_ratio)
        return;
    m_applied = {g.width, g.height};
    m_applied_ratio = ratio;
    apply_shape();
    repaint_background();
}

void WindowLook::apply_shape() {
    // Cut at the screen's own pixels: a client-pixel outline would be scaled
    // up in steps of the ratio.
    const plat::Rect g = plat::geometry(m_window);
    const double ratio = plat::device_ratio(m_window);
    plat::set_window_region(m_window, device_shape_region(m_shape, g.width, g.height, ratio),
                            ratio);
}

void WindowLook::repaint_background() {
    // A plain colour is the surface's own fill; only a picture is shown, from
    // the background's own rendering.
    const plat::Size size = plat::client_size(m_window);
    const double ratio = plat::device_ratio(m_window);
    const plat::raster::Bitmap* image =
        m_background.has_picture()
            ? &m_background.rendered(plat::device_length(size.width, ratio),
                                     plat::device_length(size.height, ratio), ratio)
            : nullptr;
    if (!image || image->empty()) {
        plat::detach_pixels(m_window);
        return;
    }
    plat::attach_pixels(m_window, {image->data(), image->width(), image->height(), image->width(),
                                   plat::PixelLayout::kXRGB, ratio});
    plat::present_attached(m_window, {0, 0, image->width(), image->height()});
}

}  // namespace vel
