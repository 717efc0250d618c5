// The byte layout of a form resource, written out by hand: what the reader
// takes from each field, and that the writer lays the same bytes out again.
#include <gtest/gtest.h>

#include <cstdlib>

#include "forms/resource/form_resource.h"
#include "unit/forms/resource_bytes.h"

namespace vel {
namespace {

constexpr WindowId kWin = 0x52000001;
constexpr UnitId kWinUnit = 0x06000002;
constexpr UnitId kMenu = 0x26000003;
constexpr UnitId kTimer = 0x16000004;

// The window unit, with a version-1 window block (no later fields).
test::Bytes window_unit_entry() {
    test::Bytes e;
    e.u32(TAG_UNIT_WINDOW)
        .u32(0)
        .zeros(4)  // typeTag, eventSource, reserved
        .zt("")    // name
        .zt("")    // remark
        .u32(0)    // liveObject
        .i32(10)
        .i32(20)
        .i32(300)
        .i32(200)  // left, top, width, height
        .u32(0)    // reserved
        .u32(0)    // container: the window
        .mark("childCount")
        .i32(1)
        .u32(kTimer)                              // one child: the timer
        .counted(std::string("\x86\x7F\0\0", 4))  // pointer: system cursor 32646
        .zt("tag")                                // tag
        .u32(0)                                   // reserved
        .u32(kUnitVisible | kUnitTabStop)         // unitFlags
        .u32(3)                                   // tabOrder
        .mark("eventCount")
        .i32(2)  // two bindings
        .i32(0)
        .i32(5)  //   created -> handler 5
        .i32(-4)
        .i32(-1)   //   right press -> none
        .zeros(5)  // reserved
        .mark("version")
        .u32(1)  // window block version 1
        .u32(0)
        .u32(1)
        .u32(0xFF000000)  // border, picture mode, colour
        .zeros(3)         // max, min, control box
        .u32(1)
        .u32(1)          // centred, movable
        .zeros(5)        // music count .. help context
        .counted("")     // picture
        .counted("ICO")  // icon
        .counted("")     // music
        .counted("T")    // title
        .counted("");    // help file
    return e;
}

test::Bytes menu_entry() {
    test::Bytes e;
    e.u32(TAG_UNIT_MENU)
        .u32(0)
        .zeros(4)
        .zt("")
        .zt("")
        .u32(0)                           // shortcut
        .u32(0)                           // level
        .u32(kMenuHidden | kMenuChecked)  // menuFlags
        .mark("caption")
        .zt("-")  // caption: a separator
        .i32(-1)  // onClick: none
        .zeros(4);
    return e;
}

test::Bytes timer_entry() {
    test::Bytes e;
    e.u32(TAG_UNIT_TIMER)
        .u32(kTimer)
        .zeros(4)
        .zt("t1")
        .zt("")
        .u32(0)
        .i32(0)
        .i32(0)
        .i32(32)
        .i32(32)
        .u32(0)
        .u32(kWinUnit)  // container
        .i32(0)         // no children
        .counted("")    // default pointer
        .zt("")
        .u32(0)
        .u32(0)
        .u32(0)
        .i32(1)
        .i32(0)
        .i32(7)  // interval elapsed -> handler 7
        .zeros(5)
        .u32(1)
        .u32(1000);  // timer block: version 1, 1000 ms
    return e;
}

struct Layout {
    test::Bytes bytes;
    std::size_t entry_at[3];  // where each UnitEntry starts (after its length)
};

Layout layout() {
    test::Bytes entries[] = {window_unit_entry(), menu_entry(), timer_entry()};
    Layout l;
    test::Bytes& b = l.bytes;
    b.i32(8)        // windowTableBytes: one window
        .u32(kWin)  // its identifier
        .u32(0)     // placeholder
        .u32(0x11)
        .u32(0x22)  // word1, word2
        .counted("")
        .counted("")  // text1, text2
        .mark("unitCount")
        .i32(3);
    std::size_t table = 8 * 3;
    for (auto& e : entries) table += 4 + e.size();
    b.mark("unitTableBytes").i32(static_cast<std::int32_t>(table));
    b.u32(kWinUnit).u32(kMenu).u32(kTimer);
    std::uint32_t off = 0;
    b.mark("offsets");
    for (auto& e : entries) {
        b.u32(off);
        off += static_cast<std::uint32_t>(4 + e.size());
    }
    for (int k = 0; k < 3; ++k) {
        b.u32(static_cast<std::uint32_t>(entries[k].size()));
        l.entry_at[k] = b.size();
        b.raw(entries[k].bytes());
    }
    return l;
}

TEST(ResourceLayout, ReadsEveryField) {
    Layout l = layout();
    FormReadResult r = read_form_resource(l.bytes.bytes());
    ASSERT_TRUE(r.ok()) << r.error << " at " << r.errorOffset;
    ASSERT_EQ(r.resource->windows.size(), 1u);
    const WindowEntry& w = r.resource->windows[0];
    EXPECT_EQ(w.id, kWin);
    EXPECT_EQ(w.word1, 0x11u);
    EXPECT_EQ(w.word2, 0x22u);
    ASSERT_EQ(w.units.size(), 3u);

    const UnitEntry& win = w.units[0];
    EXPECT_EQ(win.id, kWinUnit);
    EXPECT_EQ(win.typeTag, TAG_UNIT_WINDOW);
    EXPECT_EQ(std::vector<std::int32_t>({win.left, win.top, win.width, win.height}),
              std::vector<std::int32_t>({10, 20, 300, 200}));
    EXPECT_EQ(win.children, std::vector<UnitId>{kTimer});
    EXPECT_EQ(win.system_cursor(), kCursorSizeAll);
    EXPECT_EQ(win.tag, "tag");
    EXPECT_EQ(win.unitFlags, kUnitVisible | kUnitTabStop);
    EXPECT_EQ(win.tabOrder, 3u);
    EXPECT_EQ(win.handler_for(0), 5);
    EXPECT_EQ(win.handler_for(-4), kNoHandler);  // bound to -1: same as unbound
    EXPECT_EQ(win.handler_for(3), kNoHandler);
    const auto* props = std::get_if<WindowProperties>(&win.properties);
    ASSERT_NE(props, nullptr);
    EXPECT_EQ(props->version, 1u);
    EXPECT_EQ(props->pictureMode, 1u);
    EXPECT_EQ(props->startPosition, 1u);
    EXPECT_EQ(std::string(props->icon.begin(), props->icon.end()), "ICO");
    EXPECT_EQ(props->title, "T");
    // Fields of later versions keep their defaults.
    EXPECT_EQ(props->showInTaskbar, 1u);
    EXPECT_EQ(props->freeMove, 0u);
    EXPECT_EQ(props->shape, 0u);
    EXPECT_EQ(props->alwaysOnTop, 0u);

    const UnitEntry& menu = w.units[1];
    EXPECT_TRUE(menu.is_menu_item());
    EXPECT_EQ(menu.menuFlags, kMenuHidden | kMenuChecked);
    EXPECT_EQ(menu.caption, "-");
    EXPECT_EQ(menu.onClick, kNoHandler);
    EXPECT_TRUE(std::holds_alternative<std::monostate>(menu.properties));

    const UnitEntry& timer = w.units[2];
    EXPECT_EQ(timer.name, "t1");
    EXPECT_EQ(timer.eventSource, kTimer);
    EXPECT_EQ(timer.container, kWinUnit);
    EXPECT_TRUE(timer.pointer.empty());
    EXPECT_EQ(timer.system_cursor(), 0u);
    EXPECT_EQ(std::get<TimerProperties>(timer.properties).interval, 1000u);
    EXPECT_EQ(timer.handler_for(0), 7);
}

TEST(ResourceLayout, WriterLaysOutTheSameBytes) {
    Layout l = layout();
    FormReadResult r = read_form_resource(l.bytes.bytes());
    ASSERT_TRUE(r.ok()) << r.error;
    EXPECT_EQ(write_form_resource(*r.resource), l.bytes.bytes());
}

TEST(ResourceLayout, UnitEntriesAreFoundThroughTheirOffsets) {
    // Entries stored in reverse order, reached only through the offsets.
    Layout l = layout();
    test::Bytes entries[] = {window_unit_entry(), menu_entry(), timer_entry()};
    std::vector<std::uint8_t> b(l.bytes.bytes().begin(),
                                l.bytes.bytes().begin() + l.bytes.at("offsets") + 12);
    std::uint32_t off = 0;
    std::uint32_t offsets[3];
    for (int k = 2; k >= 0; --k) {
        offsets[k] = off;
        off += static_cast<std::uint32_t>(4 + entries[k].size());
    }
    for (int k = 0; k < 3; ++k) test::put_u32(b, l.bytes.at("offsets") + 4 * k, offsets[k]);
    for (int k = 2; k >= 0; --k) {
        test::Bytes len;
        len.u32(static_cast<std::uint32_t>(entries[k].size())).raw(entries[k].bytes());
        b.insert(b.end(), len.bytes().begin(), len.bytes().end());
    }
    FormReadResult r = read_form_resource(b);
    ASSERT_TRUE(r.ok()) << r.error;
    EXPECT_EQ(r.resource->windows[0].units[0].typeTag, TAG_UNIT_WINDOW);
    EXPECT_EQ(r.resource->windows[0].units[1].caption, "-");
    EXPECT_EQ(r.resource->windows[0].units[2].name, "t1");
}

TEST(ResourceLayout, LookupsByIdentifierAndIndex) {
    FormReadResult r = read_form_resource(layout().bytes.bytes());
    ASSERT_TRUE(r.ok());
    const FormResource& form = *r.resource;
    ASSERT_NE(find_window(form, kWin), nullptr);
    EXPECT_EQ(find_window(form, 0x52000009), nullptr);
    const WindowEntry& w = *find_window(form, kWin);
    EXPECT_EQ(find_unit(w, kTimer), 2);
    EXPECT_EQ(find_unit(w, 0x16000099), -1);
    EXPECT_EQ(unit_at(w, 1)->id, kMenu);
    EXPECT_EQ(unit_at(w, 3), nullptr);
    EXPECT_EQ(unit_at(w, -1), nullptr);
}

// --- damaged resources ------------------------------------------------------------

TEST(ResourceDamage, EveryTruncationIsAnErrorResult) {
    const std::vector<std::uint8_t> full = layout().bytes.bytes();
    for (std::size_t n = 0; n < full.size(); ++n) {
        FormReadResult r = read_form_resource(std::span(full.data(), n));
        ASSERT_FALSE(r.ok()) << "prefix of " << n << " bytes read as whole";
        EXPECT_FALSE(r.error.empty());
        EXPECT_LE(r.errorOffset, n);
    }
}

TEST(ResourceDamage, CorruptFieldsAreErrorResults) {
    Layout l = layout();
    const std::size_t win = l.entry_at[0];
    const std::size_t menu = l.entry_at[1];
    struct Row {
        const char* what;
        std::size_t at;
        std::uint32_t value;
        const char* reason;
    };
    const Row rows[] = {
        {"window table not a multiple of 8", 0, 12, "bad window table size"},
        {"window table past the end", 0, 0x7FFFFFF8, "window table runs past its end"},
        {"negative window table", 0, 0xFFFFFFF8, "bad window table size"},
        {"unit count past the table", l.bytes.at("unitCount"), 1000000,
         "unit table runs past its end"},
        {"no units", l.bytes.at("unitCount"), 0, "bad unit count"},
        {"negative unit table", l.bytes.at("unitTableBytes"), 0xFFFFFFFF, "bad unit count"},
        {"unit offset past the table", l.bytes.at("offsets") + 4, 0x00FFFFFF,
         "unit offset runs past the end of the unit table"},
        {"entry length past the table", win - 4, 0x7FFFFFFF,
         "unit entry runs past the end of the unit table"},
        {"child count past the entry", win + window_unit_entry().at("childCount"), 0x40000000,
         "count runs past the end of its block"},
        {"negative child count", win + window_unit_entry().at("childCount"), 0xFFFFFFFF,
         "count runs past the end of its block"},
        {"event count past the entry", win + window_unit_entry().at("eventCount"), 0x10000000,
         "count runs past the end of its block"},
        {"window block version too new", win + window_unit_entry().at("version"), 7,
         "property block version too new"},
        {"first unit not the window unit", win, TAG_UNIT_TIMER,
         "first unit is not the window unit"},
        {"caption without terminator", menu + menu_entry().at("caption"), 0x41414141,
         "text without terminator"},
    };
    for (const Row& row : rows) {
        std::vector<std::uint8_t> b = l.bytes.bytes();
        test::put_u32(b, row.at, row.value);
        if (std::string_view(row.what) == "caption without terminator") {
            // Overwrite the rest of the menu entry too, so no zero follows.
            for (std::size_t i = row.at; i < l.entry_at[2] - 4; ++i) b[i] = 'A';
        }
        FormReadResult r = read_form_resource(b);
        EXPECT_FALSE(r.ok()) << row.what;
        EXPECT_EQ(r.error, row.reason) << row.what;
    }
}

TEST(ResourceDamage, TrailingBytesAfterTheLastWindowAreIgnored) {
    std::vector<std::uint8_t> b = layout().bytes.bytes();
    b.push_back(0);
    EXPECT_TRUE(read_form_resource(b).ok());
}

TEST(ResourceDamageDeathTest, StartupReaderEndsTheProgram) {
    std::vector<std::uint8_t> b = layout().bytes.bytes();
    b.pop_back();
    setenv("LC_ALL", "C.UTF-8", 1);  // the fatal text reaches standard error in UTF-8
    EXPECT_EXIT(load_form_resource(b), testing::ExitedWithCode(255), "载入窗口模板数据段出错!");
    unsetenv("LC_ALL");
}

}  // namespace
}  // namespace vel
