// Property blocks: every type survives writer -> reader, each version carries
// exactly its own fields, and versions above a type's maximum are refused.
#include <gtest/gtest.h>

#include "forms/resource/form_resource.h"

namespace vel {
namespace {

ResourceBytes bytes_of(std::string_view s) {
    return {s.begin(), s.end()};
}

UnitEntry control(UnitId id, TypeTag tag, PropertyBlock props) {
    UnitEntry u;
    u.id = id;
    u.typeTag = tag;
    u.name = "n" + std::to_string(id & 0xFF);
    u.left = -5;
    u.top = 7;
    u.width = 100;
    u.height = 24;
    u.unitFlags = kUnitVisible | kUnitTabStop;
    u.tabOrder = id & 0xFF;
    u.bindings = {{0, 12}, {-11, 3}};
    u.properties = std::move(props);
    return u;
}

// One unit of every type this format knows, each field away from its default.
FormResource every_type() {
    WindowProperties win;
    win.border = 5;
    win.freeMove = 1;
    win.shape = 2;
    win.alwaysOnTop = 1;
    win.keepTitleActive = 1;
    win.className = "cls";
    win.icon = bytes_of("icon-bytes");
    win.title = "\xC9\xE8\xB6\xA8";
    DrawPanelProperties panel;
    panel.autoRedraw = 1;
    panel.brushColour = 0x00F0F0FF;
    panel.font = encode_log_font({-13, 0, 0, 0, 700, 1, 0, 0, 134, 0, 0, 0, 0, "face"});
    EditBoxProperties edit;
    edit.maxLength = 14;
    edit.inputMode = 3;
    edit.passwordChar = '*';
    edit.selectionGroup = {1, 2, 3, 4, 5, 6};
    edit.content = "abc";
    edit.dataColumn = "col";
    LabelProperties label;
    label.style[15] = 9;
    label.caption = "cap";
    ButtonProperties button;
    button.caption = "ok";
    ComboBoxProperties combo;
    combo.style[0] = 2;
    combo.items = {"VEL", "", "\xBB\xAD\xD0\xC4"};
    combo.extra = 4;
    ListBoxProperties list;
    list.style[7] = 0xFFFFFFFF;
    list.items = {"x"};
    list.dataSource = "src";
    CommonDlgProperties dlg;
    dlg.options[1] = 1;
    dlg.title = "t";
    dlg.fileName = "jpg|*.jpg";
    dlg.fontAndHelp2 = "h";
    TimerProperties timer;
    timer.interval = 1000;

    WindowEntry w;
    w.id = 0x52000001;
    w.text1 = "one";
    UnitEntry unit = control(0x06000002, TAG_UNIT_WINDOW, win);
    unit.pointer = {0x86, 0x7F, 0, 0};
    unit.children = {0x16000003};
    w.units.push_back(unit);
    w.units.push_back(control(0x16000003, TAG_UNIT_DRAWPANEL, panel));
    w.units.push_back(control(0x16000004, TAG_UNIT_EDITBOX, edit));
    w.units.push_back(control(0x16000005, TAG_UNIT_LABEL, label));
    w.units.push_back(control(0x16000006, TAG_UNIT_BUTTON, button));
    w.units.push_back(control(0x16000007, TAG_UNIT_COMBOBOX, combo));
    w.units.push_back(control(0x16000008, TAG_UNIT_LISTBOX, list));
    w.units.push_back(control(0x16000009, TAG_UNIT_COMMONDLG, dlg));
    w.units.push_back(control(0x1600000A, TAG_UNIT_TIMER, timer));
    w.units.push_back(control(0x1600000B, 0x00020001, RawProperties{bytes_of("opaque")}));
    UnitEntry item;
    item.id = 0x2600000C;
    item.typeTag = TAG_UNIT_MENU;
    item.level = 1;
    item.menuFlags = kMenuDisabled;
    item.caption = "\xD3\xD2\xBC\xFC";
    item.onClick = 40;
    w.units.push_back(item);

    FormResource form;
    form.windows.push_back(w);
    WindowEntry second;
    second.id = 0x52000010;
    second.units.push_back(control(0x06000011, TAG_UNIT_WINDOW, WindowProperties{}));
    form.windows.push_back(second);
    return form;
}

TEST(ResourceRoundTrip, EveryUnitTypeSurvives) {
    const FormResource form = every_type();
    const ResourceBytes bytes = write_form_resource(form);
    FormReadResult r = read_form_resource(bytes);
    ASSERT_TRUE(r.ok()) << r.error << " at " << r.errorOffset;
    ASSERT_EQ(r.resource->windows.size(), 2u);
    const auto& got = r.resource->windows[0].units;
    const auto& want = form.windows[0].units;
    ASSERT_EQ(got.size(), want.size());
    for (std::size_t i = 0; i < got.size(); ++i) EXPECT_TRUE(got[i] == want[i]) << "unit " << i;
    EXPECT_TRUE(*r.resource == form);
    EXPECT_EQ(write_form_resource(*r.resource), bytes);
}

TEST(ResourceRoundTrip, FontRecordIsSixtyBytes) {
    LogFont f{-13, 0, 0, 0, 700, 1, 0, 0, 134, 0, 0, 0, 0, "\xB7\xBD\xD5\xFD\xD2\xA6\xCC\xE5"};
    ResourceBytes rec = encode_log_font(f);
    ASSERT_EQ(rec.size(), kLogFontBytes);
    EXPECT_EQ(rec[0], 0xF3);   // height -13, little-endian
    EXPECT_EQ(rec[16], 0xBC);  // weight 700 = 0x2BC
    EXPECT_EQ(rec[20], 1);     // italic
    EXPECT_EQ(rec[23], 134);   // character set
    EXPECT_EQ(rec[28], 0xB7);  // face name starts at byte 28
    EXPECT_EQ(rec[36], 0);     // and is terminated
    EXPECT_TRUE(decode_log_font(rec) == f);
    EXPECT_FALSE(decode_log_font(std::span(rec.data(), 59)).has_value());

    // A face name of 32 bytes is cut to 31 so that the record keeps a zero.
    f.faceName = std::string(40, 'x');
    rec = encode_log_font(f);
    EXPECT_EQ(rec[59], 0);
    EXPECT_EQ(decode_log_font(rec)->faceName, std::string(31, 'x'));
}

// The bytes a block of the given type and version takes in the resource.
std::size_t block_size(PropertyBlock b) {
    FormResource form = every_type();
    form.windows.resize(1);
    form.windows[0].units.resize(2);
    UnitEntry& u = form.windows[0].units[1];
    u.typeTag = std::visit(
        [](const auto& p) -> TypeTag {
            using T = std::decay_t<decltype(p)>;
            if constexpr (std::is_same_v<T, WindowProperties>) return TAG_UNIT_WINDOW;
            if constexpr (std::is_same_v<T, ComboBoxProperties>) return TAG_UNIT_COMBOBOX;
            if constexpr (std::is_same_v<T, ListBoxProperties>) return TAG_UNIT_LISTBOX;
            return 0;
        },
        b);
    u.properties = PropertyBlock{};
    const std::size_t without = write_form_resource(form).size();
    u.properties = std::move(b);
    return write_form_resource(form).size() - without;
}

TEST(ResourceVersions, EachVersionCarriesItsOwnFields) {
    struct Row {
        int version;
        std::size_t window, combo, list;  // bytes with empty texts and blocks
    };
    // window: version + 13 words + 5 empty counted fields = 76, then +4 (v2),
    // +8 (v3), +4 (v4), +4 (v5), +4 (v6 class name). Combo: version + 9 words
    // + 3 counted + u16 count = 54, +8 (v2 texts), +4 (v3). List (no content
    // text): 46, +8, +4.
    const Row rows[] = {{1, 76, 54, 46}, {2, 80, 62, 54}, {3, 88, 66, 58},
                        {4, 92, 0, 0},   {5, 96, 0, 0},   {6, 100, 0, 0}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.version);
        WindowProperties w;
        w.version = static_cast<std::uint32_t>(r.version);
        EXPECT_EQ(block_size(w), r.window);
        if (r.combo == 0) continue;
        ComboBoxProperties c;
        c.version = w.version;
        EXPECT_EQ(block_size(c), r.combo);
        ListBoxProperties l;
        l.version = w.version;
        EXPECT_EQ(block_size(l), r.list);
    }
}

TEST(ResourceVersions, OlderWindowBlocksLeaveLaterPropertiesAtDefaults) {
    // Values a version-2 block cannot carry must not leak in from anywhere.
    FormResource form = every_type();
    auto& win = std::get<WindowProperties>(form.windows[0].units[0].properties);
    win.version = 2;
    win.showInTaskbar = 0;
    FormReadResult r = read_form_resource(write_form_resource(form));
    ASSERT_TRUE(r.ok()) << r.error;
    const auto& got = std::get<WindowProperties>(r.resource->windows[0].units[0].properties);
    EXPECT_EQ(got.version, 2u);
    EXPECT_EQ(got.showInTaskbar, 0u);  // a version-2 field
    EXPECT_EQ(got.freeMove, 0u);       // off
    EXPECT_EQ(got.shape, 0u);          // rectangle
    EXPECT_EQ(got.alwaysOnTop, 0u);    // not on top
    EXPECT_EQ(got.keepTitleActive, 0u);
    EXPECT_EQ(got.className, "");
    EXPECT_EQ(got.title, win.title);  // fields after the versioned ones still line up
    EXPECT_EQ(got.icon, win.icon);

    auto& combo = std::get<ComboBoxProperties>(form.windows[0].units[5].properties);
    combo.version = 1;
    r = read_form_resource(write_form_resource(form));
    ASSERT_TRUE(r.ok()) << r.error;
    const auto& c = std::get<ComboBoxProperties>(r.resource->windows[0].units[5].properties);
    EXPECT_EQ(c.items, combo.items);
    EXPECT_EQ(c.extra, 0u);
}

TEST(ResourceVersions, VersionAboveTheMaximumIsRefused) {
    struct Row {
        int unit;  // index in every_type()
        std::uint32_t max;
    };
    const Row rows[] = {{0, 6}, {1, 1}, {2, 2}, {3, 2}, {4, 1}, {5, 3}, {6, 3}, {7, 1}, {8, 1}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.unit);
        FormResource form = every_type();
        PropertyBlock& p = form.windows[0].units[static_cast<std::size_t>(row.unit)].properties;
        std::visit(
            [&](auto& b) {
                if constexpr (requires { b.version; }) b.version = row.max;
            },
            p);
        EXPECT_TRUE(read_form_resource(write_form_resource(form)).ok());
        std::visit(
            [&](auto& b) {
                if constexpr (requires { b.version; }) b.version = row.max + 1;
            },
            p);
        FormReadResult r = read_form_resource(write_form_resource(form));
        EXPECT_FALSE(r.ok());
    }
}

TEST(ResourceRoundTrip, LongItemListsUseTheWideCount) {
    FormResource form = every_type();
    auto& list = std::get<ListBoxProperties>(form.windows[0].units[6].properties);
    list.items.assign(0x10000, "i");  // more than a 16-bit count holds
    FormReadResult r = read_form_resource(write_form_resource(form));
    ASSERT_TRUE(r.ok()) << r.error;
    EXPECT_EQ(std::get<ListBoxProperties>(r.resource->windows[0].units[6].properties).items.size(),
              0x10000u);
}

}  // namespace
}  // namespace vel
