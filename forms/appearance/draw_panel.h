#pragma once
// The drawing panel unit: its kept properties, its pen and brush, the memory
// bitmap of automatic redraw, and the drawing operations the panel methods
// run. Drawing happens in our own bitmaps; the platform only shows them.
//
// The panel's canvas is its memory bitmap when automatic redraw is on, else
// an image of what the panel shows. Both have the panel's client size.
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "forms/appearance/background.h"
#include "forms/pictures/picture.h"
#include "forms/runtime/property_numbers.h"
#include "forms/units/widget_unit.h"
#include "platform/raster/mix.h"
#include "platform/raster/row_blocks.h"
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

    bool auto_redraw() const { return m_auto_redraw; }
    plat::Size client() const;
    // The image drawing and copying read and write (see above), brought to
    // the client size first. Whoever takes it may change any pixel: the next
    // copy out of this panel compares all of it.
    plat::raster::Bitmap& canvas();
    // The same image, to read.
    const plat::raster::Bitmap& image();
    const plat::raster::DrawState& state() const { return m_state; }
    plat::Point position() const { return m_position; }

    // The operations; rectangles in client pixels.
    void clear(plat::raster::Rect area);
    void draw_line(int x1, int y1, int x2, int y2);
    void draw_ellipse(int x1, int y1, int x2, int y2);
    // copy_mode 1 ... 5, or -c to leave out the pixels of colour c. With
    // `owner` (the picture's share) the panel may keep the picture to draw
    // it again later.
    void draw_picture(const Picture& picture, plat::raster::Rect to, int copy_mode,
                      const std::shared_ptr<const Picture>& owner = nullptr);
    // Copies `from` of this panel's canvas to `at` of `target` (maybe this).
    void copy_to(DrawPanel& target, plat::raster::Rect from, plat::Point at,
                 plat::raster::CopyMode mode);

private:
    // One operation on the canvas since its last whole clear: its kind and
    // everything its pixels depend on besides the pixels under it. Each of
    // our operations sets a pixel from that pixel's old value alone, so two
    // frames that start from the same clear and run the same operations in
    // the same order differ only where the operations that are not the same
    // reach.
    struct Op {
        std::array<std::int64_t, 12> p{};
        bool operator==(const Op&) const = default;
    };
    static constexpr std::size_t kMaxOps = 256;
    // Longest start of a frame the panel keeps (see m_start).
    static constexpr std::size_t kMaxStart = 32;
    // Called by each operation before it draws: true when the operation is
    // left undone because it repeats the kept start while a clear waits.
    // Otherwise the canvas is brought up to date first, and kept when this
    // is where the frame parts from the last one.
    bool begin(const Op& op, const std::shared_ptr<const Picture>& picture = nullptr);
    // Called after the operation drew (or was left undone).
    void record(const Op& op, const std::shared_ptr<const Picture>& picture = nullptr);
    // Brings the canvas to what the operations so far have drawn.
    void catch_up();
    void keep_start();
    // Draws a kept operation again, with the state it was drawn with.
    void replay(const Op& op, const Picture* picture);
    // The canvas was written in a way the list does not describe.
    void lose_track() {
        m_ops_known = false;
        m_repeating = false;
        m_pictures.clear();
    }
    // The pixels `op` may change.
    void add_reach(plat::raster::RowBlocks& area, const Op& op) const;
    // The pixels where two frames drawn from the same start can differ:
    // the reach of the operations that are not the same at the same place.
    void add_differences(plat::raster::RowBlocks& area, const std::vector<Op>& a,
                         const std::vector<Op>& b) const;
    // The canvas for an operation that records itself; counts a version.
    plat::raster::Bitmap& drawing_canvas();

    void rebuild_memory(bool keep_image);
    void fit_canvas();
    void show(plat::raster::Rect area);
    void apply_pen_and_brush();
    // A picture with a key colour left out, at its own size and stretched.
    void draw_keyed(plat::raster::Bitmap& c, const Picture& picture, plat::raster::Rect to,
                    plat::raster::Colour key);
    void draw_scaled(plat::raster::Bitmap& c, const Picture& picture, plat::raster::Rect to,
                     plat::raster::Colour key);
    void picture_pixels(plat::raster::Bitmap& c, const Picture& picture, plat::raster::Rect to,
                        int copy_mode);

    Background m_background;
    bool m_auto_redraw = false;
    plat::raster::Bitmap m_image;  // memory bitmap, or the shown image
    plat::raster::DrawState m_state;
    plat::Point m_position;

    // The operations since the last whole clear (while m_ops_known), and
    // those of the frame the last plain copy out of this panel took.
    std::vector<Op> m_ops;
    bool m_ops_known = false;
    std::vector<Op> m_copied_ops;
    bool m_copied_known = false;
    // That copy: to which panel (a serial; 0 for none), the version it left
    // the target at, from where to where.
    struct CopyOut {
        std::uint64_t target = 0;
        std::uint64_t version = 0;
        plat::raster::Rect from;
        plat::Point at;
    };
    CopyOut m_copy_out;
    plat::raster::RowBlocks m_compare;  // where that copy must look again

    // Each panel's own serial; the version changes whenever the canvas may
    // have been written. The background's changes are counted too: a clear
    // after one paints other pixels.
    const std::uint64_t m_serial;
    std::uint64_t m_version = 0;
    std::uint64_t m_background_changes = 0;

    // A hidden panel redrawn every second the way the last frame was, up to
    // where the two part (the clock's clear, dial, hour and minute hands),
    // keeps the canvas as it was at that point, with those operations and
    // their pictures. The next frame's whole clear and the operations that
    // repeat that start then wait: the canvas still shows the last frame.
    // When the frame goes on differently, only where the last frame drew
    // beyond the start is put back from the kept copy. A frame that parts
    // earlier clears for real and draws the kept operations it repeated.
    plat::raster::Bitmap m_start;
    std::vector<Op> m_start_ops;  // from a whole clear on; empty: none kept
    std::vector<std::shared_ptr<const Picture>> m_start_pictures;  // per operation
    // The last frame's operations: while waiting, those the canvas shows.
    std::vector<Op> m_prev;
    bool m_repeating = false;  // this frame's operations so far are the last frame's
    // This frame's pictures, per operation while it repeats the last frame.
    std::vector<std::shared_ptr<const Picture>> m_pictures;
    bool m_waiting = false;
    plat::raster::RowBlocks m_restore;
};

// The panel behind a live unit; null for any other unit.
DrawPanel* as_draw_panel(LiveUnit* unit);

}  // namespace vel
