#include "forms/appearance/draw_panel.h"

#include <algorithm>

#include "platform/raster/blit.h"
#include "platform/raster/draw.h"

namespace vel {

using plat::raster::Bitmap;
using plat::raster::Colour;
using plat::raster::Rect;

namespace {

constexpr int kMaxPenWidth = 32767;

// Copies `from` of `src` to `at` of `dst`, clipped to both, in a copy mode.
// Gives the part of `dst` whose pixels changed (empty when none did): a plain
// copy of a frame that differs from the last one only where the hands moved
// then needs only that part shown again. With `only`, a plain copy reads just
// those pixels of `src`: `dst` already holds the rest.
Rect copy_block(Bitmap& dst, plat::Point at, const Bitmap& src, Rect from,
                plat::raster::CopyMode mode, const plat::raster::RowBlocks* only = nullptr) {
    // Clip the source first, moving the destination along with it.
    Rect s = plat::raster::clip_to(src, from);
    if (s.w <= 0 || s.h <= 0) return {};
    Rect d{at.x + (s.x - from.x), at.y + (s.y - from.y), s.w, s.h};
    Rect c = plat::raster::clip_to(dst, d);
    if (c.w <= 0 || c.h <= 0) return {};
    s.x += c.x - d.x;
    s.y += c.y - d.y;
    if (&dst == &src) {  // overlapping rows: go through the general path
        plat::raster::stretch_blit(dst, c, src, {s.x, s.y, c.w, c.h}, mode);
        return c;
    }
    if (mode != plat::raster::CopyMode::copy) {
        for (int row = 0; row < c.h; ++row) {
            const std::uint32_t* in = src.row(s.y + row) + s.x;
            std::uint32_t* out = dst.row(c.y + row) + c.x;
            for (int i = 0; i < c.w; ++i) out[i] = plat::raster::apply_copy(mode, in[i], out[i]);
        }
        return c;
    }
    // The changed part, in source coordinates.
    int left = s.x + c.w, right = s.x, top = s.y + c.h, bottom = s.y;
    const auto copy_run = [&](int y, int x0, int x1) {
        if (y < s.y || y >= s.y + c.h) return;
        x0 = std::max(x0, s.x);
        x1 = std::min(x1, s.x + c.w);
        if (x0 >= x1) return;
        const auto [first, last] = plat::raster::copy_changed(
            src.row(y) + x0, dst.row(y - s.y + c.y) + (x0 - s.x + c.x), x1 - x0);
        if (first >= last) return;
        left = std::min(left, x0 + first);
        right = std::max(right, x0 + last);
        top = std::min(top, y);
        bottom = y + 1;
    };
    if (only) {
        only->each(copy_run);
    } else {
        for (int y = s.y; y < s.y + c.h; ++y) copy_run(y, s.x, s.x + c.w);
    }
    if (top >= bottom) return {};
    return {left - s.x + c.x, top - s.y + c.y, right - left, bottom - top};
}

bool same_rect(Rect a, Rect b) {
    return a.x == b.x && a.y == b.y && a.w == b.w && a.h == b.h;
}

std::uint64_t next_serial() {
    static std::uint64_t serial = 0;
    return ++serial;
}

// The pixels a shape between two points may touch, pen width included.
Rect reach(int x1, int y1, int x2, int y2, int pen_width) {
    const int pad = pen_width / 2 + 2;
    const int left = std::min(x1, x2), top = std::min(y1, y2);
    const std::int64_t w = std::int64_t{std::max(x1, x2)} - left + 2 * pad + 1;
    const std::int64_t h = std::int64_t{std::max(y1, y2)} - top + 2 * pad + 1;
    return {left - pad, top - pad, static_cast<int>(std::min<std::int64_t>(w, 1 << 30)),
            static_cast<int>(std::min<std::int64_t>(h, 1 << 30))};
}

enum OpKind : std::int64_t { kWholeClear = 1, kClear, kLine, kEllipse, kPicture, kCopyIn };

int as_int(std::int64_t v) {
    return static_cast<int>(v);
}

}  // namespace

DrawPanel::DrawPanel(plat::Widget* w, const DrawPanelProperties& p)
    : WidgetUnit(w), m_serial(next_serial()) {
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
    // A waiting clear paints the background of its time.
    if (property == prop::kPanelBackColour || property == prop::kPanelPicture ||
        property == prop::kPanelPictureMode)
        catch_up();
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
            ++m_background_changes;
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
        // The face sets these two before every stroke: only they change.
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
}

plat::Size DrawPanel::client() const {
    return plat::client_size(m_widget);
}

void DrawPanel::rebuild_memory(bool keep_image) {
    catch_up();
    m_start_ops.clear();  // of another size or background
    m_start_pictures.clear();
    m_start = Bitmap();
    const plat::Size size = client();
    Bitmap fresh(std::max(1, size.width), std::max(1, size.height), 0);
    if (fresh.empty()) return;  // beyond the raster's limits: keep what there is
    m_background.paint(fresh, {0, 0, fresh.width(), fresh.height()});
    if (keep_image && !m_image.empty())
        copy_block(fresh, {0, 0}, m_image, {0, 0, m_image.width(), m_image.height()},
                   plat::raster::CopyMode::copy);
    m_image = std::move(fresh);
    ++m_version;
    lose_track();
    // The panel shows its own bitmap: nothing is copied to show it.
    plat::attach_pixels(m_widget, {m_image.data(), m_image.width(), m_image.height(),
                                   m_image.width(), plat::PixelLayout::kXRGB});
    show({0, 0, m_image.width(), m_image.height()});
}

void DrawPanel::fit_canvas() {
    const plat::Size size = client();
    const int w = std::max(1, size.width), h = std::max(1, size.height);
    if (m_image.empty() || m_image.width() != w || m_image.height() != h) rebuild_memory(true);
}

Bitmap& DrawPanel::canvas() {
    Bitmap& c = drawing_canvas();
    lose_track();
    return c;
}

const Bitmap& DrawPanel::image() {
    catch_up();
    fit_canvas();
    return m_image;
}

Bitmap& DrawPanel::drawing_canvas() {
    catch_up();
    fit_canvas();
    ++m_version;
    return m_image;
}

void DrawPanel::record(const Op& op, const std::shared_ptr<const Picture>& picture) {
    if (!m_ops_known) return;
    const std::size_t i = m_ops.size();
    if (m_repeating && !(i < m_prev.size() && op == m_prev[i])) m_repeating = false;
    if (i >= kMaxOps) {
        lose_track();  // drawn on without a clear for long: compare it all
        m_ops.clear();
        return;
    }
    m_ops.push_back(op);
    if (i < kMaxStart) m_pictures.push_back(m_repeating ? picture : nullptr);
}

bool DrawPanel::begin(const Op& op, const std::shared_ptr<const Picture>& picture) {
    const std::size_t i = m_ops.size();
    if (m_waiting) {
        if (i < m_start_ops.size() && op == m_start_ops[i]) {
            record(op, picture);
            return true;
        }
        catch_up();
    }
    // The canvas is what this frame has drawn so far, the same as the last
    // frame up to here: keep it when the frames part here.
    if (m_repeating && !(i < m_prev.size() && op == m_prev[i]) && i >= 2 && i <= kMaxStart &&
        m_start_ops != m_ops && !plat::is_visible(m_widget))
        keep_start();
    return false;
}

void DrawPanel::keep_start() {
    for (std::size_t i = 0; i < m_ops.size(); ++i) {
        const std::int64_t kind = m_ops[i].p[0];
        if (kind == kCopyIn || (kind == kPicture && !m_pictures[i])) return;  // cannot be redrawn
    }
    m_start = m_image;
    m_start_ops = m_ops;
    m_start_pictures = m_pictures;
}

void DrawPanel::replay(const Op& op, const Picture* picture) {
    const auto& p = op.p;
    plat::raster::DrawState s;
    switch (p[0]) {
        case kClear:
            m_background.paint(m_image, {as_int(p[2]), as_int(p[3]), as_int(p[4]), as_int(p[5])});
            break;
        case kLine:
            s.pen = {as_int(p[5]), as_int(p[6]), static_cast<Colour>(p[7])};
            s.mix = as_int(p[8]);
            s.smooth = p[9] != 0;
            s.background = static_cast<Colour>(p[11]);
            plat::raster::draw_line(m_image, s, as_int(p[1]), as_int(p[2]), as_int(p[3]),
                                    as_int(p[4]));
            break;
        case kEllipse:
            s.pen = {as_int(p[5]), as_int(p[6]), static_cast<Colour>(p[7])};
            s.brush = {as_int(p[8] >> 32), static_cast<Colour>(p[8] & 0xFFFFFFFF)};
            s.mix = as_int(p[9]);
            s.background = static_cast<Colour>(p[10]);
            s.smooth = p[11] != 0;
            plat::raster::draw_ellipse(m_image, s, as_int(p[1]), as_int(p[2]), as_int(p[3]),
                                       as_int(p[4]));
            break;
        case kPicture:
            if (picture)
                picture_pixels(m_image, *picture,
                               {as_int(p[2]), as_int(p[3]), as_int(p[4]), as_int(p[5])},
                               as_int(p[6]));
            break;
        default:
            break;
    }
}

void DrawPanel::catch_up() {
    if (!m_waiting) return;
    m_waiting = false;
    ++m_version;
    const Rect whole{0, 0, m_image.width(), m_image.height()};
    if (m_ops.size() < m_start_ops.size()) {
        // Parted early: the clear and the kept operations repeated so far.
        m_background.paint(m_image, whole);
        for (std::size_t i = 1; i < m_ops.size(); ++i)
            replay(m_start_ops[i], m_start_pictures[i].get());
        show(whole);
        return;
    }
    // The operations so far are the kept start. The canvas shows the last
    // frame, which differs from it only where the operations that are not
    // the same reach.
    m_restore.reset(whole.w, whole.h);
    add_differences(m_restore, m_prev, m_start_ops);
    int left = whole.w, right = 0, top = whole.h, bottom = 0;
    m_restore.each([&](int y, int x0, int x1) {
        std::copy_n(m_start.row(y) + x0, x1 - x0, m_image.row(y) + x0);
        left = std::min(left, x0);
        right = std::max(right, x1);
        top = std::min(top, y);
        bottom = y + 1;
    });
    if (top < bottom) show({left, top, right - left, bottom - top});
}

void DrawPanel::add_differences(plat::raster::RowBlocks& area, const std::vector<Op>& a,
                                const std::vector<Op>& b) const {
    for (std::size_t i = 0; i < std::max(a.size(), b.size()); ++i) {
        const bool in_a = i < a.size(), in_b = i < b.size();
        if (in_a && in_b && a[i] == b[i]) continue;
        if (in_a) add_reach(area, a[i]);
        if (in_b) add_reach(area, b[i]);
    }
}

void DrawPanel::add_reach(plat::raster::RowBlocks& area, const Op& op) const {
    const auto& p = op.p;
    switch (p[0]) {
        case kClear:
        case kPicture:
        case kCopyIn:
            area.add(Rect{as_int(p[2]), as_int(p[3]), as_int(p[4]), as_int(p[5])});
            break;
        case kLine:
            area.add_segment(as_int(p[1]), as_int(p[2]), as_int(p[3]), as_int(p[4]), as_int(p[10]));
            break;
        case kEllipse: {
            // A pixel more than the shown area, for smooth edges.
            const int width = std::clamp(as_int(p[6]), 1, kMaxPenWidth) + 2;
            area.add(reach(as_int(p[1]), as_int(p[2]), as_int(p[3]), as_int(p[4]), width));
            break;
        }
        default:  // a whole clear, or anything unknown: everything
            area.add(Rect{0, 0, area.width(), area.height()});
            break;
    }
}

void DrawPanel::resized() {
    if (!m_image.empty()) fit_canvas();
}

void DrawPanel::show(Rect area) {
    if (m_image.empty()) return;
    area = plat::raster::clip_to(m_image, area);
    if (area.w <= 0 || area.h <= 0) return;
    // A hidden panel (the face buffer) has nothing to put on the screen; when
    // shown, its widget paints the attached bitmap as it is then.
    if (!plat::is_visible(m_widget)) return;
    plat::present_attached(m_widget, {area.x, area.y, area.w, area.h});
}

bool DrawPanel::painted(plat::Rect) {
    catch_up();
    return m_auto_redraw;
}

void DrawPanel::clear(Rect area) {
    fit_canvas();
    const Rect inside = plat::raster::clip_to(m_image, area);
    const bool whole =
        !m_image.empty() && same_rect(inside, {0, 0, m_image.width(), m_image.height()});
    m_position = {area.x, area.y};
    if (!whole) {
        if (inside.w <= 0 || inside.h <= 0) return;
        const Op op{{kClear, static_cast<std::int64_t>(m_background_changes), inside.x, inside.y,
                     inside.w, inside.h}};
        if (begin(op)) return;
        m_background.paint(drawing_canvas(), area);
        record(op);
        show(area);
        return;
    }
    // A fresh start: the list describes the canvas again.
    const Op start{{kWholeClear, static_cast<std::int64_t>(m_background_changes)}};
    // Repeats the kept start: wait (see m_start).
    const bool wait = !m_start_ops.empty() && m_start_ops.front() == start &&
                      (m_waiting || (m_ops_known && !plat::is_visible(m_widget)));
    if (m_waiting && !wait) catch_up();
    // While waiting, the last frame stays the one the canvas shows.
    if (!m_waiting) {
        if (m_ops_known)
            m_prev.swap(m_ops);
        else
            m_prev.clear();
    }
    m_waiting = wait;
    if (!wait) {
        m_background.paint(drawing_canvas(), area);
        show(area);
    }
    m_ops.clear();
    m_pictures.clear();
    m_ops_known = true;
    m_repeating = true;
    record(start);
}

void DrawPanel::draw_line(int x1, int y1, int x2, int y2) {
    const auto& pen = m_state.pen;
    const Op op{{kLine, x1, y1, x2, y2, pen.type, pen.width, pen.colour, m_state.mix,
                 m_state.smooth, pen.pixel_width() / 2 + 3, m_state.background}};
    m_position = {x2, y2};
    if (begin(op)) return;
    Bitmap& c = drawing_canvas();
    plat::raster::draw_line(c, m_state, x1, y1, x2, y2);
    record(op);
    show(reach(x1, y1, x2, y2, m_state.pen.pixel_width()));
}

void DrawPanel::draw_ellipse(int x1, int y1, int x2, int y2) {
    const auto& pen = m_state.pen;
    const auto& brush = m_state.brush;
    const Op op{{kEllipse, x1, y1, x2, y2, pen.type, pen.width, pen.colour,
                 (std::int64_t{brush.type} << 32) | brush.colour, m_state.mix, m_state.background,
                 m_state.smooth}};
    if (begin(op)) return;
    Bitmap& c = drawing_canvas();
    plat::raster::draw_ellipse(c, m_state, x1, y1, x2, y2);
    record(op);
    show(reach(x1, y1, x2, y2, m_state.pen.pixel_width()));
}

void DrawPanel::draw_keyed(Bitmap& c, const Picture& picture, Rect to, Colour key) {
    const auto fits = [&] { return picture.keyed && picture.keyed->key == key; };
    if (!fits() && picture.keyed_once == std::int64_t{key})
        picture.keyed = std::make_shared<const plat::raster::KeyedRuns>(
            plat::raster::keyed_runs(picture.image, key));
    if (fits()) {
        plat::raster::keyed_blit(c, to.x, to.y, picture.image, *picture.keyed);
        return;
    }
    picture.keyed_once = key;
    plat::raster::transparent_blit(c, to, picture.image,
                                   {0, 0, picture.image.width(), picture.image.height()}, key,
                                   plat::raster::Stretch::nearest);
}

void DrawPanel::draw_scaled(Bitmap& c, const Picture& picture, Rect to, Colour key) {
    const Picture::ScaledDrawing drawing{to.w, to.h, key};
    const auto fits = [&] {
        return picture.scaled && picture.scaled->key == key &&
               picture.scaled->image.width() == to.w && picture.scaled->image.height() == to.h;
    };
    if (!fits() && picture.scaled_once == drawing)
        picture.scaled = std::make_shared<const plat::raster::ScaledKeyed>(
            plat::raster::scale_keyed(picture.image, to.w, to.h, key));
    if (fits()) {
        plat::raster::scaled_keyed_blit(c, to.x, to.y, *picture.scaled);
        return;
    }
    picture.scaled_once = drawing;
    plat::raster::transparent_blit(c, to, picture.image,
                                   {0, 0, picture.image.width(), picture.image.height()}, key,
                                   plat::raster::Stretch::smooth);
}

void DrawPanel::picture_pixels(Bitmap& c, const Picture& picture, Rect to, int copy_mode) {
    const Bitmap& src = picture.image;
    const Rect whole{0, 0, src.width(), src.height()};
    // Half-tone stretching; a picture at its own size needs none.
    const auto quality = (to.w == src.width() && to.h == src.height())
                             ? plat::raster::Stretch::nearest
                             : plat::raster::Stretch::smooth;
    if (copy_mode < 0) {
        const Colour key = static_cast<Colour>(-static_cast<std::int64_t>(copy_mode)) & 0xFFFFFFu;
        if (quality == plat::raster::Stretch::nearest)
            draw_keyed(c, picture, to, key);
        else
            draw_scaled(c, picture, to, key);
    } else {
        plat::raster::stretch_blit(c, to, src, whole, plat::raster::copy_mode_from(copy_mode),
                                   quality);
    }
}

void DrawPanel::draw_picture(const Picture& picture, Rect to, int copy_mode,
                             const std::shared_ptr<const Picture>& owner) {
    if (picture.image.empty() || to.w <= 0 || to.h <= 0) return;
    // The same decoded picture drawn the same way draws the same pixels; a
    // picture of no known decoding is never taken for another.
    static std::int64_t unknown = 0;
    const std::int64_t id = picture.id ? static_cast<std::int64_t>(picture.id) : -++unknown;
    const Op op{{kPicture, id, to.x, to.y, to.w, to.h, copy_mode}};
    const std::shared_ptr<const Picture> kept = owner.get() == &picture ? owner : nullptr;
    if (begin(op, kept)) return;
    picture_pixels(drawing_canvas(), picture, to, copy_mode);
    record(op, kept);
    show(to);
}

void DrawPanel::copy_to(DrawPanel& target, Rect from, plat::Point at, plat::raster::CopyMode mode) {
    static std::int64_t copies = 0;  // a copy in is never the same as another
    Bitmap& src = drawing_canvas();
    if (from.w <= 0 || from.h <= 0) return;
    Rect inside = plat::raster::clip_to(src, from);
    if (inside.w <= 0 || inside.h <= 0) return;
    if (&target == this) {
        const Rect changed = copy_block(src, at, src, from, mode);
        if (changed.w > 0 && changed.h > 0) {
            record({{kCopyIn, ++copies, changed.x, changed.y, changed.w, changed.h}});
            show(changed);
        }
        return;
    }
    target.fit_canvas();
    const bool plain = mode == plat::raster::CopyMode::copy;
    // The same plain copy as last time into a target nobody has written
    // since, of a frame drawn from the same start: only where this frame's
    // operations and those of the copied one part can the two differ.
    const plat::raster::RowBlocks* only = nullptr;
    if (plain && m_ops_known && m_copied_known && m_copy_out.target == target.m_serial &&
        m_copy_out.version == target.m_version && same_rect(m_copy_out.from, from) &&
        m_copy_out.at.x == at.x && m_copy_out.at.y == at.y) {
        m_compare.reset(src.width(), src.height());
        add_differences(m_compare, m_ops, m_copied_ops);
        only = &m_compare;
    }
    Bitmap& dst = target.drawing_canvas();
    const Rect changed = copy_block(dst, at, src, from, mode, only);
    if (changed.w > 0 && changed.h > 0)
        target.record({{kCopyIn, ++copies, changed.x, changed.y, changed.w, changed.h}});
    if (plain) {
        m_copied_ops = m_ops;
        m_copied_known = m_ops_known;
        m_copy_out = {target.m_serial, target.m_version, from, at};
    } else {
        m_copied_known = false;
        m_copy_out = {};
    }
    if (changed.w > 0 && changed.h > 0) target.show(changed);
}

DrawPanel* as_draw_panel(LiveUnit* unit) {
    return dynamic_cast<DrawPanel*>(unit);
}

}  // namespace vel
