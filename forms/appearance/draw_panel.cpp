#include "forms/appearance/draw_panel.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "forms/pictures/picture_table.h"
#include "platform/device_pixels.h"
#include "platform/raster/blit.h"
#include "platform/raster/draw.h"

namespace vel {

using plat::raster::Bitmap;
using plat::raster::Colour;
using plat::raster::Rect;

namespace {

constexpr int kMaxPenWidth = 32767;

// The pixels a shape between two points may touch, pen width and smooth
// edges included.
Rect reach(int x1, int y1, int x2, int y2, int pen_width) {
    const int pad = pen_width / 2 + 3;
    const int left = std::min(x1, x2), top = std::min(y1, y2);
    const std::int64_t w = std::int64_t{std::max(x1, x2)} - left + 2 * pad + 1;
    const std::int64_t h = std::int64_t{std::max(y1, y2)} - top + 2 * pad + 1;
    return {left - pad, top - pad, static_cast<int>(std::min<std::int64_t>(w, 1 << 30)),
            static_cast<int>(std::min<std::int64_t>(h, 1 << 30))};
}

std::uint64_t next_version() {
    static std::uint64_t versions = 0;
    return ++versions;
}

}  // namespace

void DrawPanel::changed() {
    m_version = next_version();
}

DrawPanel::DrawPanel(plat::Widget* w, const DrawPanelProperties& p) : WidgetUnit(w) {
    changed();
    store(prop::kPanelBorder, p.border);
    store(prop::kPanelBackColour, p.backColour);
    store(prop::kPanelPicture, as_string(p.picture));
    store(prop::kPanelPictureMode, p.pictureMode);
    store(prop::kPanelAutoRedraw, p.autoRedraw);
    store(prop::kPanelDrawStyle, p.drawStyle);
    store(prop::kPanelPenType, p.penType);
    store(prop::kPanelDrawMode, p.drawMode);
    store(prop::kPanelPenWidth, std::clamp<std::int64_t>(p.penWidth, 0, kMaxPenWidth));
    store(prop::kPanelPenColour, p.penColour);
    store(prop::kPanelBrushType, p.brushType);
    store(prop::kPanelBrushColour, p.brushColour);
    store(prop::kPanelTextColour, p.textColour);
    store(prop::kPanelTextBackColour, p.textBackColour);
    store(prop::kPanelFont, as_string(p.font));
    m_background.set_colour(p.backColour);
    m_background.set_picture(as_string(p.picture));
    m_background.set_mode(p.pictureMode);
    plat::set_background_colour(w, p.backColour);
    apply_pen_and_brush();
    m_auto_redraw = p.autoRedraw != 0;
    if (m_auto_redraw || !p.picture.empty()) rebuild_memory(false);
}

RawValue DrawPanel::get(int property) {
    return stored(property);
}

bool DrawPanel::set(int property, const RawValue& v) {
    RawValue value = v;
    if (property == prop::kPanelPenWidth)
        value.number = std::clamp<std::int64_t>(v.number, 0, kMaxPenWidth);
    store(property, value);
    switch (property) {
        case prop::kPanelBackColour:
        case prop::kPanelPicture:
        case prop::kPanelPictureMode:
            if (property == prop::kPanelBackColour) {
                m_background.set_colour(static_cast<std::uint32_t>(v.number));
                plat::set_background_colour(m_widget, static_cast<std::uint32_t>(v.number));
            } else if (property == prop::kPanelPicture) {
                m_background.set_picture(v.bytes);
            } else {
                m_background.set_mode(static_cast<int>(v.number));
            }
            // A clear paints other pixels from now on.
            changed();
            // Whatever was drawn is lost, as when the panel is first made.
            if (property != prop::kPanelPictureMode) rebuild_memory(false);
            break;
        case prop::kPanelAutoRedraw:
            m_auto_redraw = v.number != 0;
            if (m_auto_redraw) {
                rebuild_memory(false);
            } else {
                // The shown image stays; drawing now goes straight to it.
                fit_canvas();
            }
            break;
        // Set before many strokes: only they change.
        case prop::kPanelPenWidth:
            m_state.pen.width = static_cast<int>(value.number);
            break;
        case prop::kPanelPenColour:
            m_state.pen.colour = resolve_colour(static_cast<std::uint32_t>(value.number));
            break;
        case prop::kPanelPenType:
        case prop::kPanelDrawMode:
        case prop::kPanelBrushType:
        case prop::kPanelBrushColour:
        case prop::kPanelTextBackColour:
            apply_pen_and_brush();
            break;
        default:
            break;
    }
    return false;
}

void DrawPanel::apply_pen_and_brush() {
    auto num = [this](int p) { return stored(p).number; };
    m_state.pen.type = static_cast<int>(num(prop::kPanelPenType));
    m_state.pen.width = static_cast<int>(num(prop::kPanelPenWidth));
    m_state.pen.colour = resolve_colour(static_cast<std::uint32_t>(num(prop::kPanelPenColour)));
    m_state.brush.type = static_cast<int>(num(prop::kPanelBrushType));
    m_state.brush.colour = resolve_colour(static_cast<std::uint32_t>(num(prop::kPanelBrushColour)));
    // Stored 0-based; 12 is plain copy.
    m_state.mix = std::clamp(static_cast<int>(num(prop::kPanelDrawMode)) + 1, 1, 16);
    const auto back = static_cast<std::uint32_t>(num(prop::kPanelTextBackColour));
    m_state.background = back == kSystemColour ? plat::raster::kNoColour : back & 0xFFFFFFu;
    // Wide lines and ellipses get smooth edges; the raster keeps them only
    // for plain-copy pens, where a blend of pen and pixel means something.
    m_state.smooth = true;
}

plat::Size DrawPanel::client() const {
    return plat::client_size(m_widget);
}

Rect DrawPanel::device_box(Rect client) const {
    return plat::to_device(client, m_ratio);
}

void DrawPanel::rebuild_memory(bool keep_image) {
    const plat::Size size = client();
    const double ratio = plat::device_ratio(m_widget);
    Bitmap fresh(std::max(1, plat::device_length(size.width, ratio)),
                 std::max(1, plat::device_length(size.height, ratio)), 0);
    if (fresh.empty()) return;  // beyond the raster's limits: keep what there is
    m_background.paint(fresh, {0, 0, fresh.width(), fresh.height()}, ratio);
    if (keep_image && !m_image.empty()) {
        const Rect old{0, 0, m_image.width(), m_image.height()};
        if (ratio == m_ratio) {
            plat::raster::copy_area(fresh, m_image, old);
        } else {
            // Another screen: what was shown stays, scaled, until it is drawn
            // again at the new ratio.
            const double scale = ratio / m_ratio;
            plat::raster::stretch_blit(fresh,
                                       {0, 0, static_cast<int>(std::lround(old.w * scale)),
                                        static_cast<int>(std::lround(old.h * scale))},
                                       m_image, old, plat::raster::CopyMode::copy,
                                       plat::raster::Stretch::smooth);
        }
    }
    m_image = std::move(fresh);
    m_ratio = ratio;
    changed();
    // The panel shows its own bitmap: nothing is copied to show it.
    plat::attach_pixels(m_widget, {m_image.data(), m_image.width(), m_image.height(),
                                   m_image.width(), plat::PixelLayout::kXRGB, m_ratio});
    show({0, 0, m_image.width(), m_image.height()});
}

void DrawPanel::fit_canvas() {
    const plat::Size size = client();
    const double ratio = plat::device_ratio(m_widget);
    const int w = std::max(1, plat::device_length(size.width, ratio));
    const int h = std::max(1, plat::device_length(size.height, ratio));
    if (m_image.empty() || m_image.width() != w || m_image.height() != h || ratio != m_ratio)
        rebuild_memory(true);
}

Bitmap& DrawPanel::canvas() {
    return drawing_canvas();
}

const Bitmap& DrawPanel::image() {
    fit_canvas();
    return m_image;
}

Bitmap& DrawPanel::drawing_canvas() {
    fit_canvas();
    changed();
    return m_image;
}

void DrawPanel::drew(Rect area) {
    drew(std::span<const Rect>(&area, 1));
}

void DrawPanel::drew(std::span<const Rect> areas) {
    for (const Rect& device : areas) {
        if (device.w <= 0 || device.h <= 0) continue;
        const Rect area = plat::to_client(device, m_ratio);
        if (m_drawn.w <= 0 || m_drawn.h <= 0) {
            m_drawn = area;
            continue;
        }
        const int right = std::max(m_drawn.x + m_drawn.w, area.x + area.w);
        const int bottom = std::max(m_drawn.y + m_drawn.h, area.y + area.h);
        m_drawn.x = std::min(m_drawn.x, area.x);
        m_drawn.y = std::min(m_drawn.y, area.y);
        m_drawn.w = right - m_drawn.x;
        m_drawn.h = bottom - m_drawn.y;
    }
    show(areas);
}

Rect DrawPanel::take_drawn_area() {
    const Rect area = m_drawn;
    m_drawn = {};
    return area;
}

void DrawPanel::resized() {
    if (!m_image.empty()) fit_canvas();
}

void DrawPanel::show(Rect area) {
    show(std::span<const Rect>(&area, 1));
}

void DrawPanel::show(std::span<const Rect> areas) {
    if (m_image.empty() || areas.empty()) return;
    // A hidden panel has nothing to put on the screen; when shown, its
    // widget paints the attached bitmap as it is then.
    if (!plat::is_visible(m_widget)) return;
    std::vector<plat::Rect> shown;
    shown.reserve(areas.size());
    for (Rect area : areas) {
        area = plat::raster::clip_to(m_image, area);
        if (area.w > 0 && area.h > 0) shown.push_back({area.x, area.y, area.w, area.h});
    }
    if (!shown.empty()) plat::present_attached(m_widget, shown);
}

bool DrawPanel::painted(plat::Rect) {
    return m_auto_redraw;
}

void DrawPanel::clear(Rect area) {
    m_position = {area.x, area.y};
    Bitmap& c = drawing_canvas();
    const Rect d = device_box(area);
    m_background.paint(c, d, m_ratio);
    drew(plat::raster::clip_to(m_image, d));
}

plat::raster::DrawState DrawPanel::device_state() const {
    plat::raster::DrawState s = m_state;
    if (m_ratio == 1.0) return s;
    // A one-pixel pen stays as fine as the screen shows one client pixel.
    const int width = m_state.pen.width <= 1 ? 1 : m_state.pen.width;
    s.pen.width = std::clamp(plat::device_length(width, m_ratio), 1, kMaxPenWidth);
    return s;
}

void DrawPanel::draw_line(int x1, int y1, int x2, int y2) {
    m_position = {x2, y2};
    Bitmap& c = drawing_canvas();
    const auto d = [this](int v) { return plat::device_length(v, m_ratio); };
    const plat::raster::DrawState s = device_state();
    plat::raster::draw_line(c, s, d(x1), d(y1), d(x2), d(y2));
    drew(reach(d(x1), d(y1), d(x2), d(y2), s.pen.pixel_width()));
}

void DrawPanel::draw_ellipse(int x1, int y1, int x2, int y2) {
    Bitmap& c = drawing_canvas();
    const auto d = [this](int v) { return plat::device_length(v, m_ratio); };
    const plat::raster::DrawState s = device_state();
    plat::raster::draw_ellipse(c, s, d(x1), d(y1), d(x2), d(y2));
    drew(reach(d(x1), d(y1), d(x2), d(y2), s.pen.pixel_width()));
}

void DrawPanel::draw_picture(const Picture& picture, Rect to, int copy_mode) {
    if (picture.image.empty() || to.w <= 0 || to.h <= 0) return;
    Bitmap& c = drawing_canvas();
    // Placed as line ends are, and the same size wherever it lands, so a
    // picture drawn again and again is drawn the same way each time.
    const Rect d{plat::device_length(to.x, m_ratio), plat::device_length(to.y, m_ratio),
                 std::max(1, plat::device_length(to.w, m_ratio)),
                 std::max(1, plat::device_length(to.h, m_ratio))};
    const bool dense = m_ratio > 1.0;
    if (copy_mode < 0) {
        const Colour key = static_cast<Colour>(-static_cast<std::int64_t>(copy_mode)) & 0xFFFFFFu;
        picture_table().draw_keyed(c, picture, d, key, dense);
    } else {
        // Half-tone stretching; a picture at its own size needs none.
        const Bitmap& src = picture_table().source(picture, dense);
        const bool own_size = d.w == src.width() && d.h == src.height();
        plat::raster::stretch_blit(
            c, d, src, {0, 0, src.width(), src.height()}, plat::raster::copy_mode_from(copy_mode),
            own_size ? plat::raster::Stretch::nearest : plat::raster::Stretch::smooth);
    }
    drew(d);
}

void DrawPanel::copy_to(DrawPanel& target, Rect from, plat::Point at, plat::raster::CopyMode mode) {
    if (from.w <= 0 || from.h <= 0) return;
    const Bitmap& src = image();
    target.fit_canvas();
    Bitmap& dst = target.drawing_canvas();
    const Rect s = device_box(from);
    if (m_ratio == target.m_ratio) {
        // Moved by whole device pixels: a box copied to where it was taken
        // from lands on the same pixels.
        const auto moved = [this](int a, int b) {
            const std::int64_t by =
                std::clamp<std::int64_t>(std::int64_t{a} - b, -(1 << 30), 1 << 30);
            return plat::device_length(static_cast<int>(by), m_ratio);
        };
        const int x = m_ratio == 1.0 ? at.x : s.x + moved(at.x, from.x);
        const int y = m_ratio == 1.0 ? at.y : s.y + moved(at.y, from.y);
        target.drew(plat::raster::copy_block(dst, x, y, src, s, mode));
        return;
    }
    // Panels on screens of different ratios: scaled to the target's pixels.
    const Rect d = target.device_box({at.x, at.y, from.w, from.h});
    plat::raster::stretch_blit(dst, d, src, s, mode, plat::raster::Stretch::smooth);
    target.drew(plat::raster::clip_to(dst, d));
}

DrawPanel* as_draw_panel(LiveUnit* unit) {
    return dynamic_cast<DrawPanel*>(unit);
}

}  // namespace vel
