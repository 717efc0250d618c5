#pragma once
// A small hand-built form for the runtime's tests: one window with an edit
// box, a drawing panel and a timer, and a second window to load modally.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "forms/runtime/form_runtime.h"
#include "platform/window_system.h"

namespace vel::test {

inline constexpr WindowId kMain = 0x52000001;
inline constexpr UnitId kMainUnit = 0x06000001;
inline constexpr UnitId kEdit = 0x16000002;
inline constexpr UnitId kPanel = 0x16000003;
inline constexpr WindowId kDialog = 0x52000010;
inline constexpr UnitId kDialogUnit = 0x06000010;

// Handler slots: 0 edit changed, 1 edit left down, 2 main created,
// 3 dialog created, 4 panel right down.
inline std::vector<std::function<HandlerResult(std::span<const std::int32_t>)>> g_slots(5);

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

inline FormResource test_form() {
    WindowEntry main;
    main.id = kMain;
    main.units.push_back(window_unit(kMainUnit, 2));
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
    edit.bindings = {{0, 0}, {-1, 1}};
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
        static const HandlerFn table[] = {slot<0>, slot<1>, slot<2>, slot<3>, slot<4>};
        rt().load(test_form(), table);
    }
    void TearDown() override {
        for (auto& s : g_slots) s = nullptr;
        rt().load({}, {});
        plat::process_pending_events();
    }
    static FormRuntime& rt() { return FormRuntime::instance(); }
};

}  // namespace vel::test
