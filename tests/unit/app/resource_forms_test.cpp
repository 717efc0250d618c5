// The compiled description of the program's two windows, as embedded: what
// must hold whatever the form says, and a byte round trip through the codec.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <set>
#include <tuple>

#include "app/handlers/handler_names.h"
#include "forms/resource/form_resource.h"
#include "resources/embedded.h"
#include "resources/form_ids.h"

namespace vel {
namespace {

class CompiledForms : public testing::Test {
protected:
    void SetUp() override {
        m_bytes = embedded_bytes("forms.bin");
        ASSERT_FALSE(m_bytes.empty()) << "forms.bin is not embedded";
        FormReadResult r = read_form_resource(m_bytes);
        ASSERT_TRUE(r.ok()) << r.error << " at " << r.errorOffset;
        m_form = std::move(*r.resource);
    }
    const UnitEntry* unit(WindowId window, UnitId id) {
        const WindowEntry* w = find_window(m_form, window);
        const int k = w ? find_unit(*w, id) : -1;
        return k < 0 ? nullptr : &w->units[static_cast<std::size_t>(k)];
    }

    std::span<const std::uint8_t> m_bytes;
    FormResource m_form;
};

std::string_view name_of(HandlerRef h) {
    return h >= 0 && h < kHandlerCount ? kHandlerNames[static_cast<std::size_t>(h)] : "";
}

TEST_F(CompiledForms, ReadsBackToTheSameBytes) {
    const ResourceBytes again = write_form_resource(m_form);
    EXPECT_TRUE(std::equal(again.begin(), again.end(), m_bytes.begin(), m_bytes.end()));
}

TEST_F(CompiledForms, GeneratedIdsNameUnitsOfTheirWindow) {
    ASSERT_EQ(m_form.windows.size(), 2u);
    EXPECT_EQ(m_form.windows[0].id, ui::clock::kWindow);  // the start window comes first
    for (const auto& [window, window_unit, control] :
         {std::tuple{ui::clock::kWindow, ui::clock::kWindowUnit, ui::clock::画板2},
          std::tuple{ui::editor::kWindow, ui::editor::kWindowUnit, ui::editor::闹铃列表框}}) {
        EXPECT_EQ(unit(window, window_unit), &find_window(m_form, window)->units[0]);
        ASSERT_NE(unit(window, control), nullptr);
        EXPECT_FALSE(unit(window, control)->is_menu_item());
    }
    for (UnitId item : {ui::clock::右键, ui::clock::置于顶层, ui::clock::关于VEL})
        EXPECT_TRUE(unit(ui::clock::kWindow, item)->is_menu_item());
}

// The pictures' handlers are numbered in menu order, and each caption is a
// stored value (at most five Chinese characters).
TEST_F(CompiledForms, PicturesInMenuOrder) {
    ASSERT_EQ(ui::clock::pictures.size(), 52u);
    for (std::size_t i = 0; i < ui::clock::pictures.size(); ++i) {
        const UnitEntry* u = unit(ui::clock::kWindow, ui::clock::pictures[i]);
        ASSERT_NE(u, nullptr) << i;
        char handler[32];
        std::snprintf(handler, sizeof handler, "menu_picture_%02zu", i + 1);
        EXPECT_EQ(name_of(u->onClick), handler);
        EXPECT_FALSE(u->caption.empty());
        EXPECT_LE(u->caption.size(), 10u);
    }
}

TEST_F(CompiledForms, PopupMenuTree) {
    const WindowEntry& w = *find_window(m_form, ui::clock::kWindow);
    // Menu items are found by caption: every caption but the separator's is unique.
    std::set<std::string> captions;
    int top_level = 0;
    for (std::size_t i = 0; i < w.units.size(); ++i) {
        const UnitEntry& u = w.units[i];
        if (!u.is_menu_item()) continue;
        top_level += u.level == 0;
        if (u.caption != "-") {
            EXPECT_TRUE(captions.insert(u.caption).second) << i;
        }
        // Leaves have a handler, separators and items with sub-items none;
        // every item but the hidden root starts enabled and unchecked.
        const bool has_subs = i + 1 < w.units.size() && w.units[i + 1].is_menu_item() &&
                              w.units[i + 1].level > u.level;
        EXPECT_EQ(u.onClick != kNoHandler, !has_subs && u.caption != "-") << i;
        EXPECT_EQ(u.menuFlags, u.id == ui::clock::右键 ? kMenuHidden : 0u) << i;
    }
    EXPECT_EQ(top_level, 1);
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

TEST_F(CompiledForms, AlarmEditorFocusOrderAndIcon) {
    // The tab-stop controls are numbered 0, 1, 2 ... without a gap.
    std::set<std::uint32_t> tabs;
    for (const UnitEntry& u : find_window(m_form, ui::editor::kWindow)->units)
        if (u.unitFlags & kUnitTabStop) {
            EXPECT_TRUE(tabs.insert(u.tabOrder).second);
        }
    ASSERT_FALSE(tabs.empty());
    EXPECT_EQ(*tabs.rbegin(), tabs.size() - 1);
    // The icon file itself, not the empty stand-in of a build without it.
    const auto& p =
        std::get<WindowProperties>(unit(ui::editor::kWindow, ui::editor::kWindowUnit)->properties);
    ASSERT_GE(p.icon.size(), 6u);
    EXPECT_EQ(p.icon[0] | p.icon[2] << 8, 0x0100);  // ICO
}

}  // namespace
}  // namespace vel
