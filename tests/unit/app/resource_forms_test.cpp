// The compiled description of the program's two windows, as embedded.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "app/handlers/handler_names.h"
#include "forms/resource/form_resource.h"
#include "resources/embedded.h"

namespace vel {
namespace {

constexpr WindowId kClock = 0x52010001;
constexpr WindowId kEditor = 0x52011523;

class CompiledForms : public testing::Test {
protected:
    void SetUp() override {
        auto bytes = embedded_bytes("forms.bin");
        ASSERT_FALSE(bytes.empty()) << "forms.bin is not embedded";
        FormReadResult r = read_form_resource(bytes);
        ASSERT_TRUE(r.ok()) << r.error << " at " << r.errorOffset;
        m_form = std::move(*r.resource);
    }
    const WindowEntry& window(WindowId id) {
        const WindowEntry* w = find_window(m_form, id);
        EXPECT_NE(w, nullptr);
        return *w;
    }
    const UnitEntry& unit(const WindowEntry& w, UnitId id) {
        int k = find_unit(w, id);
        EXPECT_GE(k, 0) << std::hex << id;
        return w.units.at(static_cast<std::size_t>(k));
    }
    // The items below `parent` one level down, in order.
    std::vector<const UnitEntry*> sub_items(const WindowEntry& w, const UnitEntry& parent) {
        std::vector<const UnitEntry*> out;
        std::size_t i = static_cast<std::size_t>(&parent - w.units.data()) + 1;
        for (; i < w.units.size() && w.units[i].is_menu_item(); ++i) {
            if (w.units[i].level <= parent.level) break;
            if (w.units[i].level == parent.level + 1) out.push_back(&w.units[i]);
        }
        return out;
    }
    const UnitEntry* item(const WindowEntry& w, std::string_view caption) {
        int k = find_menu_item(w, caption);
        return k < 0 ? nullptr : &w.units[static_cast<std::size_t>(k)];
    }

    FormResource m_form;
};

std::string_view name_of(HandlerRef h) {
    return h >= 0 && h < kHandlerCount ? kHandlerNames[static_cast<std::size_t>(h)] : "";
}

TEST_F(CompiledForms, TwoWindowsWithTheirUnitCounts) {
    ASSERT_EQ(m_form.windows.size(), 2u);
    EXPECT_EQ(m_form.windows[0].id, kClock);  // the start window comes first
    EXPECT_EQ(window(kClock).units.size(), 94u);
    EXPECT_EQ(window(kEditor).units.size(), 15u);
}

TEST_F(CompiledForms, ClockWindowUnit) {
    const UnitEntry& u = window(kClock).units[0];
    EXPECT_EQ(u.id, 0x06010000u);
    EXPECT_EQ(std::vector<std::int32_t>({u.left, u.top, u.width, u.height}),
              std::vector<std::int32_t>({0, 0, 288, 288}));
    EXPECT_EQ(u.unitFlags & kUnitVisible, kUnitVisible);
    EXPECT_EQ(u.system_cursor(), kCursorSizeAll);
    const auto& p = std::get<WindowProperties>(u.properties);
    EXPECT_EQ(p.version, 6u);
    EXPECT_EQ(p.border, 0u);
    EXPECT_EQ(p.startPosition, 1u);
    EXPECT_EQ(p.pictureMode, 1u);
    EXPECT_EQ(p.backColour, kDefaultColour);
    EXPECT_EQ(p.maxButton + p.minButton + p.controlBox, 0u);
    EXPECT_EQ(p.movable, 1u);
    EXPECT_EQ(p.showInTaskbar, 0u);
    EXPECT_EQ(p.freeMove, 1u);
    EXPECT_EQ(p.shape, 0u);
    EXPECT_EQ(p.alwaysOnTop, 0u);
    EXPECT_EQ(p.enterMovesFocus, 1u);
    EXPECT_TRUE(p.title.empty());
    EXPECT_EQ(name_of(u.handler_for(0)), "clock_created");
    EXPECT_EQ(name_of(u.handler_for(3)), "clock_moved");
    EXPECT_EQ(name_of(u.handler_for(9)), "clock_tray_event");
    EXPECT_EQ(name_of(u.handler_for(-4)), "clock_right_pressed");
}

TEST_F(CompiledForms, ClockWindowControls) {
    const WindowEntry& w = window(kClock);
    // The common dialog stands at index 1, before the menu items.
    EXPECT_EQ(w.units[1].id, 0x160111D4u);
    EXPECT_EQ(w.units[1].name, "\xCC\xED\xBC\xD3\xB1\xB3\xBE\xB0");  // 添加背景
    const auto& dlg = std::get<CommonDlgProperties>(w.units[1].properties);
    EXPECT_EQ(dlg.dialogType(), 0u);
    EXPECT_EQ(dlg.title, "\xC9\xE8\xB6\xA8\xCE\xD2\xB5\xC4\xB1\xB3\xBE\xB0");  // 设定我的背景
    EXPECT_EQ(dlg.fileName, "jpg\xCD\xBC\xC6\xAC|*.jpg");
    EXPECT_EQ(dlg.initialDirectory, "*.jpg");
    EXPECT_EQ(w.units[1].container, 0x16010003u);

    const UnitEntry& timer = unit(w, 0x16010002);
    EXPECT_EQ(timer.name,
              "\xCA\xB1\xD6\xD3"
              "1");  // 时钟1
    EXPECT_EQ(std::get<TimerProperties>(timer.properties).interval, 1000u);
    EXPECT_EQ(name_of(timer.handler_for(0)), "clock_tick");

    const UnitEntry& hidden = unit(w, 0x16010003);
    const UnitEntry& shown = unit(w, 0x160113B1);
    EXPECT_EQ(hidden.name,
              "\xBB\xAD\xB0\xE5"
              "1");  // 画板1
    EXPECT_EQ(shown.name,
              "\xBB\xAD\xB0\xE5"
              "2");  // 画板2
    EXPECT_EQ(hidden.top, 288);
    EXPECT_EQ(hidden.unitFlags & kUnitVisible, 0u);
    EXPECT_EQ(shown.unitFlags & kUnitVisible, kUnitVisible);
    EXPECT_EQ(std::vector<std::int32_t>({shown.left, shown.top, shown.width, shown.height}),
              std::vector<std::int32_t>({0, 0, 288, 284}));
    EXPECT_EQ(hidden.children, std::vector<UnitId>{0x160111D4});
    EXPECT_EQ(hidden.system_cursor(), kCursorCross);
    EXPECT_EQ(shown.system_cursor(), kCursorCross);
    const auto& off = std::get<DrawPanelProperties>(hidden.properties);
    const auto& on = std::get<DrawPanelProperties>(shown.properties);
    EXPECT_EQ(off.autoRedraw, 1u);
    EXPECT_EQ(on.autoRedraw, 0u);
    EXPECT_EQ(off.brushColour, 0x00F0F0FFu);
    EXPECT_EQ(on.brushColour, 0x00FFFFFFu);
    for (const auto* p : {&off, &on}) {
        EXPECT_EQ(p->penType, 1u);
        EXPECT_EQ(p->penWidth, 0u);
        EXPECT_EQ(p->brushType, 1u);
        EXPECT_EQ(p->drawMode, 12u);
    }
    auto font = decode_log_font(off.font);
    ASSERT_TRUE(font.has_value());
    EXPECT_EQ(font->faceName, "\xB7\xBD\xD5\xFD\xD2\xA6\xCC\xE5");  // 方正姚体
    EXPECT_EQ(font->height, -13);
    EXPECT_EQ(font->weight, 700);
    EXPECT_EQ(font->italic, 1);
    EXPECT_EQ(font->charSet, 134);
    EXPECT_EQ(name_of(shown.handler_for(-1)), "panel_left_pressed");
    EXPECT_EQ(name_of(shown.handler_for(-2)), "panel_left_released");
    EXPECT_EQ(name_of(shown.handler_for(-4)), "panel_right_pressed");
}

TEST_F(CompiledForms, PopupMenuTree) {
    const WindowEntry& w = window(kClock);
    const UnitEntry* root = item(w, "\xD3\xD2\xBC\xFC");  // 右键
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->level, 0u);
    EXPECT_EQ(root->menuFlags, kMenuHidden);
    EXPECT_EQ(root->onClick, kNoHandler);
    // The only top-level item.
    int top_level = 0;
    for (const auto& u : w.units) top_level += u.is_menu_item() && u.level == 0;
    EXPECT_EQ(top_level, 1);

    auto first = sub_items(w, *root);
    ASSERT_EQ(first.size(), 13u);
    EXPECT_EQ(first[0]->caption, "\xBF\xAA\xBB\xFA\xC6\xF4\xB6\xAF");  // 开机启动
    EXPECT_EQ(first[3]->caption, "-");
    EXPECT_EQ(first[9]->caption, "-");
    EXPECT_EQ(first[12]->caption,
              "\xB9\xD8\xD3\xDA"
              "VEL");                               // 关于VEL
    EXPECT_EQ(sub_items(w, *first[7]).size(), 3u);  // 改变造型

    auto groups = sub_items(w, *first[8]);  // 更换背景
    ASSERT_EQ(groups.size(), 6u);
    const std::size_t sizes[] = {2, 12, 12, 4, 23, 13};
    std::size_t leaves = 0;
    for (std::size_t g = 0; g < 6; ++g) {
        auto items = sub_items(w, *groups[g]);
        EXPECT_EQ(items.size(), sizes[g]) << g;
        leaves += items.size();
        EXPECT_EQ(groups[g]->onClick, kNoHandler);
    }
    EXPECT_EQ(leaves, 66u);
    for (const UnitEntry* star : sub_items(w, *groups[5])) {
        EXPECT_LE(star->caption.size(), 10u);
        EXPECT_FALSE(star->caption.empty());
    }

    // Menu items are found by caption: every caption but the separator's is unique.
    std::set<std::string> captions;
    for (const auto& u : w.units)
        if (u.is_menu_item() && u.caption != "-") {
            EXPECT_TRUE(captions.insert(u.caption).second);
        }
    EXPECT_EQ(captions.size(), 87u);

    // Leaves have a handler, separators and items with sub-items none; every
    // item starts visible, enabled and unchecked, without a shortcut.
    for (std::size_t i = 0; i < w.units.size(); ++i) {
        const UnitEntry& u = w.units[i];
        if (!u.is_menu_item()) continue;
        bool has_subs = i + 1 < w.units.size() && w.units[i + 1].is_menu_item() &&
                        w.units[i + 1].level > u.level;
        bool leaf = !has_subs && u.caption != "-";
        EXPECT_EQ(u.onClick != kNoHandler, leaf) << i;
        EXPECT_EQ(u.shortcut, 0u);
        if (&u != root) {
            EXPECT_EQ(u.menuFlags, 0u) << i;
        }
    }
}

TEST_F(CompiledForms, EveryHandlerIsBoundExactlyOnce) {
    std::map<HandlerRef, int> uses;
    for (const auto& w : m_form.windows)
        for (const auto& u : w.units) {
            if (u.is_menu_item() && u.onClick != kNoHandler) ++uses[u.onClick];
            for (const auto& b : u.bindings) ++uses[b.handler];
        }
    for (int h = 0; h < kHandlerCount; ++h)
        EXPECT_EQ(uses[h], 1) << kHandlerNames[static_cast<std::size_t>(h)];
    EXPECT_EQ(uses.size(), static_cast<std::size_t>(kHandlerCount));
}

TEST_F(CompiledForms, AlarmEditor) {
    const WindowEntry& w = window(kEditor);
    const UnitEntry& u = w.units[0];
    EXPECT_EQ(u.id, 0x06011522u);
    EXPECT_EQ(std::vector<std::int32_t>({u.left, u.top, u.width, u.height}),
              std::vector<std::int32_t>({50, 50, 184, 360}));
    const auto& p = std::get<WindowProperties>(u.properties);
    EXPECT_EQ(p.border, 1u);
    EXPECT_EQ(p.title, "\xC9\xE8\xB6\xA8\xC4\xD6\xC1\xE5");  // 设定闹铃
    EXPECT_EQ(p.startPosition, 1u);
    EXPECT_EQ(p.alwaysOnTop, 1u);
    EXPECT_EQ(p.freeMove, 0u);
    EXPECT_EQ(p.showInTaskbar, 0u);
    // The 48 x 48, 32-bit icon file itself, not an empty stand-in.
    ASSERT_EQ(p.icon.size(), 9662u);
    EXPECT_EQ(p.icon[0] | p.icon[2] << 8 | p.icon[4] << 16, 0x010100);  // ICO, one image
    EXPECT_EQ(p.icon[6], 48);
    EXPECT_EQ(name_of(u.handler_for(0)), "alarm_editor_created");

    // Focus order: the tab-stop controls are numbered 0..8 in this order.
    const UnitId tab_order[] = {0x16011527, 0x16011529, 0x1601154A, 0x16011541, 0x16011548,
                                0x16011549, 0x16011608, 0x16011609, 0x160115F8};
    for (std::uint32_t k = 0; k < 9; ++k) {
        const UnitEntry& c = unit(w, tab_order[k]);
        EXPECT_EQ(c.tabOrder, k);
        EXPECT_EQ(c.unitFlags, kUnitVisible | kUnitTabStop);
    }
    const auto& name = std::get<EditBoxProperties>(unit(w, 0x16011527).properties);
    EXPECT_EQ(name.maxLength, 14u);
    EXPECT_EQ(name.inputMode, 0u);
    for (UnitId box : {0x16011529u, 0x1601154Au}) {
        const auto& e = std::get<EditBoxProperties>(unit(w, box).properties);
        EXPECT_EQ(e.inputMode, 3u);
        EXPECT_EQ(e.border, 1u);
        EXPECT_EQ(e.backColour, 0x00FFFFFFu);
        EXPECT_EQ(e.passwordChar, 0u);
    }
    const auto& combo = std::get<ComboBoxProperties>(unit(w, 0x16011541).properties);
    EXPECT_EQ(combo.boxType(), 2u);
    ASSERT_EQ(combo.items.size(), 13u);
    EXPECT_EQ(combo.items[0], "VEL");
    EXPECT_EQ(combo.items[12], "\xBB\xAD\xD0\xC4");  // 画心
    const auto& list = std::get<ListBoxProperties>(unit(w, 0x160115F8).properties);
    EXPECT_EQ(list.initialSelection(), -1);
    EXPECT_TRUE(list.items.empty());
    EXPECT_EQ(std::get<ButtonProperties>(unit(w, 0x16011609).properties).caption,
              "\xB9\xD8\xB1\xD5");  // 关闭
    EXPECT_EQ(std::get<LabelProperties>(unit(w, 0x16011526).properties).caption,
              "\xC4\xD6\xC1\xE5\xC3\xFB\xB3\xC6\xA3\xBA");  // 闹铃名称：
}

}  // namespace
}  // namespace vel
