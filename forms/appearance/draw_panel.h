#pragma once
// The drawing panel unit: its kept properties, its pen and brush, the memory
// bitmap of automatic redraw, and the drawing operations the panel methods
// run. Drawing happens in our own bitmaps; the platform only shows them.
//
// The panel's canvas is its memory bitmap when automatic redraw is on, else
// an image of what the panel shows. Both are held at device pixels: the
// panel's client size times the device pixel ratio of its window. The
// operations take client coordinates, as every stored value is, and draw
// at device pixels (platform/device_pixels.h), so a high-density screen shows the
// drawing at its own resolution; at ratio 1 the two are the same.
#include <cstdint>
#include <memory>
#include <span>

#include "forms/appearance/background.h"
#include "forms/pictures/picture.h"
#include "forms/runtime/property_numbers.h"
#include "forms/units/widget_unit.h"
#include "platform/raster/mix.h"
#include "platform/raster/style.h"

namespace vel {

class DrawPanel : public WidgetUnit {
public:
    DrawPanel(plat::Widget* w, const DrawPanelProperties& p);
    // The widget must not keep showing a bitmap that is about to go.
    ~DrawPanel() override { plat::detach_pixels(m_widget); }

    RawValue get(int property) override;
    bool set(int property, const RawValue& value) override;
    void resized() override;
    bool painted(plat::Rect area) override;
    const Background* background() const override { return &m_background; }

    bool auto_redraw() const { return m_auto_redraw; }
    plat::Size client() const;
    // Device pixels per client pixel of the canvas.
    double ratio() const { return m_ratio; }
    // The canvas pixels a client box touches.
    plat::raster::Rect device_box(plat::raster::Rect client) const;
    // The image drawing and copying read and write (see above), brought to
    // the device size first. Whoever takes it may change any pixel.
    plat::raster::Bitmap& canvas();
    // The same image, to read.
    const plat::raster::Bitmap& image();
    const plat::raster::DrawState& state() const { return m_state; }
    plat::Point position() const { return m_position; }

    // The operations; rectangles in client pixels.
    void clear(plat::raster::Rect area);
    void draw_line(int x1, int y1, int x2, int y2);
    void draw_ellipse(int x1, int y1, int x2, int y2);
    // copy_mode 1 ... 5, or -c to leave out the pixels of colour c.
    void draw_picture(const Picture& picture, plat::raster::Rect to, int copy_mode);
    // Copies `from` of this panel's canvas to `at` of `target` (maybe this).
    // A plain copy writes and shows only the pixels that differ.
    void copy_to(DrawPanel& target, plat::raster::Rect from, plat::Point at,
                 plat::raster::CopyMode mode);

    // Changes whenever the canvas may have been written or will be cleared
    // to other pixels (a new size, background colour, picture or mode). No
    // two panels ever share a version.
    std::uint64_t version() const { return m_version; }
    // The bounding box in client pixels of what the operations drew since
    // the last call (empty when nothing was drawn), generous by a pixel or
    // two; every device pixel drawn lies within device_box of it.
    plat::raster::Rect take_drawn_area();

private:
    // The canvas for an operation; counts a version.
    plat::raster::Bitmap& drawing_canvas();
    // Device boxes of the canvas.
    void drew(plat::raster::Rect area);
    void drew(std::span<const plat::raster::Rect> areas);
    // The pen and brush at device pixels.
    plat::raster::DrawState device_state() const;
    void draw_keyed(const Picture& picture, plat::raster::Rect to, plat::raster::Colour key);
    void changed();

    void rebuild_memory(bool keep_image);
    void fit_canvas();
    void show(plat::raster::Rect area);
    void show(std::span<const plat::raster::Rect> areas);
    void apply_pen_and_brush();

    Background m_background;
    bool m_auto_redraw = false;
    plat::raster::Bitmap m_image;  // memory bitmap, or the shown image
    double m_ratio = 1.0;          // m_image's device pixels per client pixel
    plat::raster::DrawState m_state;
    plat::Point m_position;
    std::uint64_t m_version = 0;
    plat::raster::Rect m_drawn;  // see take_drawn_area (client pixels)
};

// The panel behind a live unit; null for any other unit.
DrawPanel* as_draw_panel(LiveUnit* unit);

}  // namespace vel
