#pragma once
// A small hand-built form for the runtime's tests: one window with edit
// boxes, a drawing panel holding an edit box, a label, a combo box, a list
// box and a menu tree, and a second window to load modally.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "forms/runtime/form_runtime.h"
#include "forms/runtime/property_numbers.h"
#include "library/blocks.h"
#include "platform/window_system.h"

namespace vel::test {

inline constexpr WindowId kMain = 0x52000001;
inline constexpr UnitId kMainUnit = 0x06000001;
inline constexpr UnitId kEdit = 0x16000002;
inline constexpr UnitId kPanel = 0x16000003;
inline constexpr UnitId kLabel = 0x16000004;
inline constexpr UnitId kCombo = 0x16000005;
inline constexpr UnitId kList = 0x16000006;
inline constexpr UnitId kDigits = 0x16000007;   // integer input
inline constexpr UnitId kName = 0x16000008;     // at most 14 bytes
inline constexpr UnitId kInner = 0x16000009;    // an edit box inside the panel
inline constexpr UnitId kMenuTop = 0x26000020;  // hidden, level 0
inline constexpr UnitId kMenuA = 0x26000021;
inline constexpr UnitId kMenuSep = 0x26000022;
inline constexpr UnitId kMenuSub = 0x26000023;
inline constexpr UnitId kMenuSubA = 0x26000024;
inline constexpr WindowId kDialog = 0x52000010;
inline constexpr UnitId kDialogUnit = 0x06000010;

// Handler slots: 0 edit changed, 1 edit left down, 2 main created,
// 3 dialog created, 4 panel right down, 5 edit character, 6 edit key down,
// 7 list selection changed, 8 menu item A, 9 main close request, 10 main
// moved, 11 main resized, 12 combo event 0.
inline constexpr int kSlots = 13;
inline std::vector<std::function<HandlerResult(std::span<const std::int32_t>)>> g_slots(kSlots);

template <int N>
HandlerResult slot(std::span<const std::int32_t> args) {
    return g_slots[N] ? g_slots[N](args) : std::nullopt;
}

inline UnitEntry window_unit(UnitId id, HandlerRef created) {
    UnitEntry u;
    u.id = id;
    u.typeTag = TAG_UNIT_WINDOW;
    u.left = 10;
    u.top = 20;
    u.width = 200;
    u.height = 150;
    u.unitFlags = kUnitVisible;
    WindowProperties p;
    p.border = 0;
    p.showInTaskbar = 0;
    u.properties = p;
    u.bindings = {{0, created}};
    return u;
}

inline UnitEntry control(UnitId id, TypeTag tag, plat::Rect r) {
    UnitEntry u;
    u.id = id;
    u.typeTag = tag;
    u.left = r.left;
    u.top = r.top;
    u.width = r.width;
    u.height = r.height;
    u.unitFlags = kUnitVisible | kUnitTabStop;
    return u;
}

inline UnitEntry menu_item(UnitId id, std::uint32_t level, const char* caption, std::uint32_t flags,
                           HandlerRef on_click) {
    UnitEntry u;
    u.id = id;
    u.typeTag = TAG_UNIT_MENU;
    u.level = level;
    u.caption = caption;
    u.menuFlags = flags;
    u.onClick = on_click;
    return u;
}

inline FormResource test_form() {
    WindowEntry main;
    main.id = kMain;
    main.units.push_back(window_unit(kMainUnit, 2));
    main.units.back().bindings.insert(main.units.back().bindings.end(), {{1, 9}, {3, 10}, {4, 11}});
    UnitEntry edit;
    edit.id = kEdit;
    edit.typeTag = TAG_UNIT_EDITBOX;
    edit.left = 5;
    edit.top = 6;
    edit.width = 80;
    edit.height = 24;
    edit.unitFlags = kUnitVisible | kUnitTabStop;
    EditBoxProperties ep;
    ep.content = "init";  // written during creation: must reach no handler
    edit.properties = ep;
    edit.bindings = {{0, 0}, {-1, 1}, {-11, 5}, {-9, 6}};
    main.units.push_back(edit);
    UnitEntry panel;
    panel.id = kPanel;
    panel.typeTag = TAG_UNIT_DRAWPANEL;
    panel.top = 40;
    panel.width = 100;
    panel.height = 100;
    panel.unitFlags = kUnitVisible;
    panel.properties = DrawPanelProperties{};
    panel.bindings = {{-4, 4}};
    main.units.push_back(panel);
    main.units.back().children = {kInner};

    UnitEntry label = control(kLabel, TAG_UNIT_LABEL, {100, 5, 60, 20});
    LabelProperties lp;
    lp.caption = "label";
    label.properties = lp;
    main.units.push_back(label);

    UnitEntry combo = control(kCombo, TAG_UNIT_COMBOBOX, {100, 30, 80, 24});
    ComboBoxProperties cp;
    cp.style[0] = 2;
    cp.items = {"a", "b", "c"};
    combo.properties = cp;
    combo.bindings = {{0, 12}};
    main.units.push_back(combo);

    UnitEntry list = control(kList, TAG_UNIT_LISTBOX, {110, 60, 80, 80});
    ListBoxProperties lbp;
    lbp.style[7] = 0xFFFFFFFF;  // no initial selection
    lbp.items = {"x", "y", "z"};
    list.properties = lbp;
    list.bindings = {{0, 7}};
    main.units.push_back(list);

    UnitEntry digits = control(kDigits, TAG_UNIT_EDITBOX, {5, 150, 40, 24});
    EditBoxProperties dp;
    dp.inputMode = 3;
    digits.properties = dp;
    main.units.push_back(digits);

    UnitEntry name = control(kName, TAG_UNIT_EDITBOX, {50, 150, 90, 24});
    EditBoxProperties np;
    np.maxLength = 14;
    name.properties = np;
    main.units.push_back(name);

    UnitEntry inner = control(kInner, TAG_UNIT_EDITBOX, {2, 2, 40, 20});
    inner.container = kPanel;
    inner.properties = EditBoxProperties{};
    main.units.push_back(inner);

    main.units.push_back(menu_item(kMenuTop, 0, "top", kMenuHidden, -1));
    main.units.push_back(menu_item(kMenuA, 1, "A", 0, 8));
    main.units.push_back(menu_item(kMenuSep, 1, "-", 0, -1));
    main.units.push_back(menu_item(kMenuSub, 1, "Sub", 0, -1));
    main.units.push_back(menu_item(kMenuSubA, 2, "SubA", 0, -1));

    WindowEntry dialog;
    dialog.id = kDialog;
    dialog.units.push_back(window_unit(kDialogUnit, 3));

    FormResource form;
    form.windows = {main, dialog};
    return form;
}

class RuntimeTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(plat::init_window_system());
        for (auto& s : g_slots) s = nullptr;
        static const HandlerFn table[kSlots] = {slot<0>,  slot<1>,  slot<2>, slot<3>, slot<4>,
                                                slot<5>,  slot<6>,  slot<7>, slot<8>, slot<9>,
                                                slot<10>, slot<11>, slot<12>};
        rt().load(test_form(), table);
    }
    void TearDown() override {
        for (auto& s : g_slots) s = nullptr;
        rt().load({}, {});
        plat::process_pending_events();
    }
    static FormRuntime& rt() { return FormRuntime::instance(); }
    // A handler that counts its calls and gives `answer`.
    static void count_into(int slot_number, int& calls, HandlerResult answer = std::nullopt) {
        g_slots[static_cast<std::size_t>(slot_number)] = [&calls, answer](auto) {
            ++calls;
            return answer;
        };
    }
};

inline Value int_arg(std::int32_t v) {
    return {static_cast<std::uint32_t>(v), TAG_INT};
}
inline Value text_arg(const char* t) {
    return {reinterpret_cast<std::uintptr_t>(t), TAG_TEXT};
}
inline std::int32_t as_int(Value v) {
    return static_cast<std::int32_t>(v.payload & 0xFFFFFFFF);
}
// A text property read back as a string (the block released at once).
inline std::string text_of(Value v) {
    Text owned(reinterpret_cast<char*>(static_cast<std::uintptr_t>(v.payload)));
    return std::string(view(owned));
}

}  // namespace vel::test
