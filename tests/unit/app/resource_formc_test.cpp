// The form compiler: what a description turns into, and the mistakes it
// refuses instead of writing a resource the program would misread.
#include <gtest/gtest.h>

#include "app/handlers/handler_names.h"
#include "tools/formc/description.h"

namespace vel {
namespace {

struct Compiled {
    bool ok = false;
    std::string error;
    FormResource form;
    std::vector<formc::WindowIds> ids;
};

Compiled compile(std::string_view source) {
    Compiled c;
    std::vector<formc::Line> lines;
    formc::ValueContext cx;
    c.ok = formc::lex(source, lines, c.error) &&
           formc::compile_description(lines, cx, c.form, c.error, &c.ids);
    return c;
}

constexpr std::string_view kWindow =
    "window 0x52000001 w\n"
    "  unit 0x06000002 window\n"
    "    geometry 1 2 30 40\n"
    "    event 0 clock_created\n"
    "    title \"\xE8\xAE\xBE\xE5\xAE\x9A\"\n";  // 设定, in UTF-8

TEST(FormCompiler, MenusControlsAndHandlers) {
    std::string src(kWindow);
    src +=
        "  unit 0x16000003 DrawPanel \"\xE7\x94\xBB\xE6\x9D\xBF\"  # 画板\n"
        "    flags visible tabstop\n"
        "    pointer 32515\n"
        "  unit 0x16000004 Timer\n"
        "    container 0x16000003\n"
        "    interval 250\n"
        "  menu 0x26000005 \"a\" hidden\n"
        "    menu 0x26000006 \"b\" on menu_about checked\n"
        "    menu 0x26000007 \"-\"\n"
        "    menu 0x26000008 \"c\"\n"
        "      menu 0x26000009 \"d\" on menu_close_program\n"
        "  menu 0x2600000A \"e\" disabled\n";
    Compiled c = compile(src);
    ASSERT_TRUE(c.ok) << c.error;
    const WindowEntry& w = c.form.windows.at(0);
    ASSERT_EQ(w.units.size(), 9u);
    const auto& win = std::get<WindowProperties>(w.units[0].properties);
    EXPECT_EQ(win.title, "\xC9\xE8\xB6\xA8");  // stored as GBK
    EXPECT_EQ(w.units[0].height, 40);
    EXPECT_EQ(w.units[0].handler_for(0), handler_index("clock_created"));
    EXPECT_EQ(w.units[1].name, "\xBB\xAD\xB0\xE5");
    EXPECT_EQ(w.units[1].unitFlags, kUnitVisible | kUnitTabStop);
    EXPECT_EQ(w.units[1].system_cursor(), kCursorCross);
    EXPECT_EQ(w.units[1].children, std::vector<UnitId>{0x16000004});  // from the timer's container
    EXPECT_EQ(std::get<TimerProperties>(w.units[2].properties).interval, 250u);

    const std::uint32_t levels[] = {0, 1, 1, 1, 2, 0};
    const std::uint32_t flags[] = {kMenuHidden, kMenuChecked, 0, 0, 0, kMenuDisabled};
    for (std::size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(w.units[3 + i].level, levels[i]) << i;
        EXPECT_EQ(w.units[3 + i].menuFlags, flags[i]) << i;
    }
    EXPECT_EQ(w.units[4].onClick, handler_index("menu_about"));
    EXPECT_EQ(w.units[7].onClick, handler_index("menu_close_program"));
    EXPECT_EQ(w.units[8].onClick, kNoHandler);
}

TEST(FormCompiler, RefusesMistakes) {
    struct Row {
        const char* what;
        std::string tail;  // appended to a valid window
        const char* error;
    };
    const Row rows[] = {
        {"unknown handler", "    event 3 no_such_handler\n", "unknown handler"},
        {"unknown property", "    interval 5\n", "unknown property"},
        {"menu skips a level", "  menu 0x26000005 \"a\"\n      menu 0x26000006 \"b\"\n",
         "skips a level"},
        {"separator with handler", "  menu 0x26000005 \"-\" on menu_about\n",
         "separator has no handler"},
        {"control id of the wrong kind", "  unit 0x26000005 Timer\n", "kind"},
        {"second window unit", "  unit 0x06000005 window\n", "window unit"},
        {"duplicate serial", "  unit 0x16000002 Timer\n", "duplicate serial"},
        {"container outside the window", "  unit 0x16000005 Timer\n    container 0x16000099\n",
         "not in its window"},
        {"window unit in a container", "    container 0x16000005\n  unit 0x16000005 Timer\n",
         "window unit cannot"},
        {"window unit in itself", "    container 0x06000002\n", "window unit cannot"},
        {"text without a GBK form", "    helpFile \"\xF0\x9F\x98\x80\"\n", "no GBK form"},
        {"value of the wrong kind", "    border \"x\"\n", "expected a number"},
        {"version above the maximum", "    version 7\n", "version out of range"},
        {"missing file", "    icon file \"/nonexistent/x.ico\"\n", "cannot read"},
        {"unterminated string", "    title \"abc\n", "unterminated string"},
        {"odd indentation", "   unit 0x16000005 Timer\n", "indentation"},
        {"window without a name", "window 0x52000010\n", "window ID NAME"},
        {"two windows of one name", "window 0x52000010 w\n", "duplicate window name"},
        {"two units of one name", "  unit 0x16000005 Timer \"t\"\n  unit 0x16000006 Timer \"t\"\n",
         "duplicate name"},
        {"a caption that cannot name an id", "  menu 0x26000005 \"a b\"\n", "cannot name an id"},
    };
    for (const Row& r : rows) {
        Compiled c = compile(std::string(kWindow) + r.tail);
        EXPECT_FALSE(c.ok) << r.what;
        EXPECT_NE(c.error.find(r.error), std::string::npos) << r.what << ": " << c.error;
    }
}

// Separators get no id; a list takes the sub-items of each heading naming
// it, one level down, in menu order.
TEST(FormCompiler, IdsByNameAndListsInMenuOrder) {
    Compiled c = compile(std::string(kWindow) +
                         "  unit 0x16000003 Timer \"t1\"\n"
                         "  menu 0x26000005 \"a\" list l\n"
                         "    menu 0x26000006 \"b\" on menu_about\n"
                         "    menu 0x26000007 \"-\"\n"
                         "    menu 0x26000008 \"c\"\n"
                         "      menu 0x26000009 \"d\" on menu_close_program\n"
                         "  menu 0x2600000A \"e\" list l\n"
                         "    menu 0x2600000B \"f\" on menu_autostart\n");
    ASSERT_TRUE(c.ok) << c.error;
    ASSERT_EQ(c.ids.size(), 1u);
    const formc::WindowIds& w = c.ids[0];
    EXPECT_EQ(w.name, "w");
    EXPECT_EQ(w.window_unit, 0x06000002u);
    std::string names;
    for (const auto& [name, id] : w.units) names += name + " ";
    EXPECT_EQ(names, "t1 a b c d e f ");
    ASSERT_EQ(w.lists.size(), 1u);
    EXPECT_EQ(w.lists[0].second, (std::vector<std::uint32_t>{0x26000006, 0x26000008, 0x2600000B}));
    const std::string header = formc::ids_header(c.ids);
    EXPECT_NE(header.find("namespace w {"), std::string::npos) << header;
    EXPECT_NE(header.find("UnitId t1 = 0x16000003;"), std::string::npos) << header;
}

TEST(FormCompiler, ErrorsNameTheLine) {
    Compiled c = compile(std::string(kWindow) + "\n    bogus 1\n");
    ASSERT_FALSE(c.ok);
    EXPECT_EQ(c.error.rfind("7: ", 0), 0u) << c.error;
}

}  // namespace
}  // namespace vel
