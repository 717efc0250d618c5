#pragma once
// Draws the clock face: composes the frame on a hidden drawing panel and
// copies it to a shown one.
//
// The panel's background with the dial and the hour and minute hands drawn on
// it is kept as a layer. While the hour and minute are the layer's and nothing
// but the face has written either panel since its last frame, a tick puts
// back from that layer only the box the last second hand, disc and butterfly
// covered, draws the new ones, and copies only the union of the old and new
// boxes. The frame is the same, pixel for pixel, as clearing and drawing
// every step. The layer holds the panel's device pixels; the boxes are kept
// in client pixels, and put back and copied at every device pixel they touch.
#include <cstdint>

#include "forms/runtime/unit_ref.h"
#include "library/datetime/date_time.h"
#include "platform/raster/bitmap.h"

namespace vel {

class FacePainter {
public:
    FacePainter(WindowId window, UnitId buffer, UnitId shown)
        : m_buffer{window, buffer, TAG_UNIT_DRAWPANEL},
          m_shown{window, shown, TAG_UNIT_DRAWPANEL} {}
    // With `full`, clears and draws every step, keeping nothing from before.
    void draw(int hour, int minute, int second, bool full = false);

private:
    void set_pen(int width, std::uint32_t colour);

    UnitRef m_buffer;
    UnitRef m_shown;
    plat::raster::Bitmap m_layer;  // the background, dial, hour and minute hands (device pixels)
    bool m_kept = false;           // the fields below describe the last frame
    int m_hour = -1;
    int m_minute = -1;
    std::uint64_t m_buffer_version = 0;
    std::uint64_t m_shown_version = 0;
    plat::raster::Rect m_moved;  // what the last frame drew over the layer
};

// The face for one reading of the time on the clock window (画板1 onto
// 画板2). Stores that reading's hour, minute and second as the current ones
// (app/clock_globals.h).
void draw_face(const CivilTime& now);
// The same for a reading taken here.
void draw_face();

}  // namespace vel
