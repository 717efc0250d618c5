#pragma once
// One window of 288 x 288 with drawing panels of 100 x 80: a hidden
// memory-backed buffer and a shown panel without automatic redraw, as the
// clock uses them, and a second hidden buffer to draw the same on. Event 9 of the window and event
// 0 of the shown panel go to recording handlers.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "forms/appearance/draw_panel.h"
#include "forms/runtime/form_runtime.h"
#include "forms/runtime/property_numbers.h"
#include "library/blocks.h"
#include "library/memory.h"
#include "platform/raster/bitmap.h"
#include "platform/window_system.h"

namespace vel::appearance_test {

inline constexpr WindowId kWin = 0x52000031;
inline constexpr UnitId kWinUnit = 0x06000031;
inline constexpr UnitId kBuffer = 0x16000032;
inline constexpr UnitId kShown = 0x16000033;
inline constexpr UnitId kReference = 0x16000034;

inline std::vector<std::int32_t> g_tray_kinds;
inline int g_paint_events = 0;

inline HandlerResult on_tray(std::span<const std::int32_t> args) {
    g_tray_kinds.push_back(args.empty() ? -1 : args[0]);
    return std::nullopt;
}
inline HandlerResult on_paint(std::span<const std::int32_t>) {
    ++g_paint_events;
    return std::nullopt;
}

inline UnitEntry panel(UnitId id, bool auto_redraw, bool visible, int top) {
    UnitEntry u;
    u.id = id;
    u.typeTag = TAG_UNIT_DRAWPANEL;
    u.top = top;
    u.width = 100;
    u.height = 80;
    u.unitFlags = visible ? kUnitVisible : 0;
    DrawPanelProperties p;
    p.autoRedraw = auto_redraw ? 1 : 0;
    p.backColour = 0x00102030;
    p.penType = 1;
    p.penWidth = 1;
    p.penColour = 0x000000FF;
    p.brushColour = 0x0000FF00;
    u.properties = p;
    return u;
}

inline FormResource form() {
    WindowEntry w;
    w.id = kWin;
    UnitEntry self;
    self.id = kWinUnit;
    self.typeTag = TAG_UNIT_WINDOW;
    self.width = 288;
    self.height = 288;
    self.unitFlags = kUnitVisible;
    WindowProperties p;
    p.border = 0;
    p.showInTaskbar = 0;
    p.backColour = 0x00000000;
    self.properties = p;
    self.bindings = {{9, 0}};
    w.units.push_back(self);
    w.units.push_back(panel(kBuffer, true, false, 100));
    w.units.push_back(panel(kShown, false, true, 0));
    w.units.back().bindings = {{0, 1}};
    w.units.push_back(panel(kReference, true, false, 190));
    FormResource f;
    f.windows = {w};
    return f;
}

class AppearanceTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(plat::init_window_system());
        g_tray_kinds.clear();
        g_paint_events = 0;
        static const HandlerFn table[] = {on_tray, on_paint};
        rt().load(form(), table);
        ASSERT_TRUE(rt().load_window(kWin, 0, false));
        plat::process_pending_events();
    }
    void TearDown() override {
        rt().load({}, {});
        plat::process_pending_events();
    }
    static FormRuntime& rt() { return FormRuntime::instance(); }
    static DrawPanel& panel_of(UnitId unit) {
        DrawPanel* p = as_draw_panel(rt().live_unit(kWin, unit));
        EXPECT_NE(p, nullptr);
        return *p;
    }
    static plat::raster::Colour at(UnitId unit, int x, int y) {
        return panel_of(unit).image().pixel(x, y);
    }
    static void set_int(UnitId unit, int number, std::int64_t v) {
        rt().set_property(kWin, unit, number, -1,
                          Value{static_cast<std::uint32_t>(static_cast<std::int32_t>(v)), TAG_INT});
    }
    // Writes a data property (the block is the caller's, released here).
    static void set_bytes(UnitId unit, int number, const std::vector<std::uint8_t>& bytes) {
        std::uint8_t* block = make_byteset(bytes);
        rt().set_property(kWin, unit, number, -1,
                          Value{reinterpret_cast<std::uintptr_t>(block), TAG_BYTESET});
        release(block);
    }
    static ArgRecord ref(UnitId unit) {
        return arg_unit(kWin, unit, unit == kWinUnit ? TAG_UNIT_WINDOW : TAG_UNIT_DRAWPANEL);
    }
};

// A 24-bit BMP of w x h pixels, every pixel `bbggrr` except pixel (0, 0),
// which is `first`.
inline std::vector<std::uint8_t> tiny_bmp(int w, int h, std::uint32_t bbggrr, std::uint32_t first) {
    const int row = (w * 3 + 3) / 4 * 4;
    const std::uint32_t size = 54 + static_cast<std::uint32_t>(row * h);
    std::vector<std::uint8_t> b = {'B', 'M'};
    auto le32 = [&b](std::uint32_t v) {
        for (int i = 0; i < 4; ++i) b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    };
    auto le16 = [&b](std::uint32_t v) {
        b.push_back(static_cast<std::uint8_t>(v));
        b.push_back(static_cast<std::uint8_t>(v >> 8));
    };
    le32(size), le32(0), le32(54);  // file header
    le32(40), le32(static_cast<std::uint32_t>(w)), le32(static_cast<std::uint32_t>(h));
    le16(1), le16(24), le32(0), le32(0), le32(0), le32(0), le32(0), le32(0);  // info header
    for (int y = h - 1; y >= 0; --y) {  // bottom-up rows of blue, green, red
        for (int x = 0; x < w; ++x) {
            const std::uint32_t c = (x == 0 && y == 0) ? first : bbggrr;
            b.push_back(static_cast<std::uint8_t>(c >> 16));
            b.push_back(static_cast<std::uint8_t>(c >> 8));
            b.push_back(static_cast<std::uint8_t>(c));
        }
        for (int pad = w * 3; pad < row; ++pad) b.push_back(0);
    }
    return b;
}

}  // namespace vel::appearance_test
