// Property numbering and value kinds, menu flags, list and combo box items,
// the move method, and destroying controls.
#include "forms/runtime/unit_methods.h"
#include "forms/runtime/unit_type_info.h"
#include "library/call.h"
#include "library/memory.h"
#include "runtime_fixture.h"

namespace vel::test {
namespace {

struct TypeRow {
    TypeTag tag;
    const char* english;
    int properties;
};

TEST(UnitTypes, TagPositionNamesAndPropertyCounts) {
    const TypeRow rows[] = {
        {TAG_UNIT_WINDOW, "window", 32},       {TAG_UNIT_MENU, "menu", 4},
        {TAG_UNIT_EDITBOX, "EditBox", 29},     {TAG_UNIT_DRAWPANEL, "DrawPanel", 25},
        {TAG_UNIT_LABEL, "Label", 29},         {TAG_UNIT_BUTTON, "Button", 14},
        {TAG_UNIT_COMBOBOX, "ComboBox", 25},   {TAG_UNIT_LISTBOX, "ListBox", 22},
        {TAG_UNIT_COMMONDLG, "CommonDlg", 30}, {TAG_UNIT_TIMER, "Timer", 9},
    };
    for (const TypeRow& row : rows) {
        const UnitTypeInfo* t = find_unit_type(row.tag);
        ASSERT_NE(t, nullptr) << row.english;
        EXPECT_EQ(t->english, row.english);
        EXPECT_EQ(static_cast<int>(t->properties.size()), row.properties) << row.english;
        EXPECT_EQ(property_kind(row.tag, row.properties), 0) << "one past the last";
        EXPECT_EQ(property_kind(row.tag, -1), 0);
    }
    // Drag flag on labels, never-shown on timer and dialog, neither on panels.
    EXPECT_TRUE(find_unit_type(TAG_UNIT_LABEL)->flags & kTypeDragsWindow);
    EXPECT_FALSE(find_unit_type(TAG_UNIT_DRAWPANEL)->flags & kTypeDragsWindow);
    EXPECT_TRUE(find_unit_type(TAG_UNIT_TIMER)->flags & kTypeNeverShown);
    EXPECT_TRUE(find_unit_type(TAG_UNIT_COMMONDLG)->flags & kTypeNeverShown);
    EXPECT_EQ(find_unit_type(0x00010099), nullptr);
}

struct KindRow {
    TypeTag tag;
    int number;
    int kind;
};

TEST(UnitTypes, PropertiesTheProgramUsesHaveTheirKinds) {
    const KindRow rows[] = {
        {TAG_UNIT_WINDOW, 0, kKindInt},
        {TAG_UNIT_WINDOW, 4, kKindText},
        {TAG_UNIT_WINDOW, 5, kKindLogical},
        {TAG_UNIT_WINDOW, 7, kKindPointer},
        {TAG_UNIT_WINDOW, 10, kKindColourOrDefault},
        {TAG_UNIT_WINDOW, 11, kKindPicture},
        {TAG_UNIT_WINDOW, 27, kKindLogical},
        {TAG_UNIT_WINDOW, 28, kKindPick},
        {TAG_UNIT_WINDOW, 29, kKindLogical},
        {TAG_UNIT_MENU, 0, kKindText},
        {TAG_UNIT_MENU, 1, kKindLogical},
        {TAG_UNIT_MENU, 3, kKindLogical},
        {TAG_UNIT_DRAWPANEL, 2, kKindInt},
        {TAG_UNIT_DRAWPANEL, 9, kKindColourOrDefault},
        {TAG_UNIT_DRAWPANEL, 10, kKindPicture},
        {TAG_UNIT_DRAWPANEL, 16, kKindInt},
        {TAG_UNIT_DRAWPANEL, 17, kKindColour},
        {TAG_UNIT_EDITBOX, 8, kKindText},
        {TAG_UNIT_EDITBOX, 24, kKindInt},
        {TAG_UNIT_LISTBOX, 16, kKindInt},
        {TAG_UNIT_COMBOBOX, 19, kKindInt},
        {TAG_UNIT_COMMONDLG, 10, kKindFileName},
        {TAG_UNIT_TIMER, 8, kKindInt},
    };
    for (const KindRow& row : rows)
        EXPECT_EQ(property_kind(row.tag, row.number), row.kind)
            << std::hex << row.tag << std::dec << " property " << row.number;
    EXPECT_EQ(kind_tag(kKindFileName), TAG_TEXT);
    EXPECT_EQ(kind_tag(kKindFont), TAG_BYTESET);
    EXPECT_EQ(kind_tag(kKindPick), TAG_INT);
    EXPECT_EQ(kind_tag(kKindColourOrTransparent), TAG_INT);
}

TEST_F(RuntimeTest, ValuesComeBackTaggedByTheirKind) {
    ASSERT_TRUE(rt().load_window(kMain, 0, false));
    struct Row {
        UnitId unit;
        int number;
        TypeTag tag;
    };
    const Row rows[] = {{kMainUnit, prop::kLeft, TAG_INT},
                        {kMainUnit, prop::kVisible, TAG_LOGICAL},
                        {kMainUnit, prop::kWindowAlwaysOnTop, TAG_LOGICAL},
                        {kEdit, prop::kEditContent, TAG_TEXT},
                        {kEdit, prop::kTag, TAG_TEXT},
                        {kPanel, prop::kPointer, TAG_BYTESET},
                        {kMenuA, prop::kMenuChecked, TAG_LOGICAL},
                        {kMenuA, prop::kMenuCaption, TAG_TEXT}};
    for (const Row& row : rows) {
        Value v = rt().get_property(kMain, row.unit, row.number);
        EXPECT_EQ(v.tag, row.tag) << std::hex << row.unit << std::dec << " " << row.number;
        if (v.tag == TAG_TEXT || v.tag == TAG_BYTESET) release(reinterpret_cast<void*>(v.payload));
    }
}

struct MenuFlagRow {
    int number;
    std::int32_t written;
    std::uint32_t flags;  // menuFlags afterwards, from 0
};

class MenuFlagTest : public RuntimeTest, public ::testing::WithParamInterface<MenuFlagRow> {};

TEST_P(MenuFlagTest, EachPropertyOwnsOneBit) {
    const MenuFlagRow row = GetParam();
    ASSERT_TRUE(rt().load_window(kMain, 0, false));
    rt().set_property(kMain, kMenuA, row.number, -1,
                      {static_cast<std::uint32_t>(row.written), TAG_LOGICAL});
    EXPECT_EQ(rt().unit_entry(kMain, kMenuA)->menuFlags, row.flags);
    EXPECT_EQ(as_int(rt().get_property(kMain, kMenuA, row.number)), row.written != 0 ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(Bits, MenuFlagTest,
                         ::testing::Values(MenuFlagRow{prop::kMenuChecked, 1, kMenuChecked},
                                           MenuFlagRow{prop::kMenuDisabled, 1, kMenuDisabled},
                                           MenuFlagRow{prop::kMenuVisible, 0, kMenuHidden},
                                           MenuFlagRow{prop::kMenuVisible, 1, 0},
                                           MenuFlagRow{prop::kMenuChecked, 0, 0},
                                           MenuFlagRow{prop::kMenuChecked, 7, kMenuChecked}));

TEST_F(RuntimeTest, MenuCaptionAndFlagsOfOtherItemsStayApart) {
    ASSERT_TRUE(rt().load_window(kMain, 0, false));
    EXPECT_EQ(as_int(rt().get_property(kMain, kMenuTop, prop::kMenuVisible)), 0)
        << "the hidden top item";
    const char caption[] = "\xB9\xD8\xB1\xD5";  // 关闭
    rt().set_property(kMain, kMenuA, prop::kMenuCaption, -1, text_arg(caption));
    rt().set_property(kMain, kMenuA, prop::kMenuChecked, -1, {1, TAG_LOGICAL});
    EXPECT_EQ(text_of(rt().get_property(kMain, kMenuA, prop::kMenuCaption)), caption);
    EXPECT_EQ(text_of(rt().get_property(kMain, kMenuSub, prop::kMenuCaption)), "Sub");
    EXPECT_EQ(as_int(rt().get_property(kMain, kMenuSub, prop::kMenuChecked)), 0);
    rt().set_property(kMain, kMenuA, prop::kMenuCaption, -1, text_arg(nullptr));
    EXPECT_EQ(rt().get_property(kMain, kMenuA, prop::kMenuCaption).payload, 0u)
        << "empty text is null";
}

// --- list and combo boxes ---------------------------------------------------

ArgRecord unit_ref(UnitId unit, TypeTag tag) {
    return arg_unit(kMain, unit, tag);
}

std::string item(CommandFn fn, UnitId unit, TypeTag tag, int index) {
    ResultRecord r = call(fn, unit_ref(unit, tag), arg_int(index));
    Text owned(r.as_ptr<char>());
    return std::string(view(owned));
}

TEST_F(RuntimeTest, ItemMethodsOutsideTheListGiveEmptyFalseOrMinusOne) {
    ASSERT_TRUE(rt().load_window(kMain, 0, false));
    for (int index : {-1, 3, 1000, -1000}) {
        EXPECT_EQ(item(cmd_combo_item_text, kCombo, TAG_UNIT_COMBOBOX, index), "") << index;
        EXPECT_EQ(item(cmd_list_item_text, kList, TAG_UNIT_LISTBOX, index), "") << index;
        EXPECT_FALSE(call(cmd_set_list_item_text, unit_ref(kList, TAG_UNIT_LISTBOX), arg_int(index),
                          arg_text("q"))
                         .as_logical())
            << index;
        EXPECT_FALSE(call(cmd_delete_list_item, unit_ref(kList, TAG_UNIT_LISTBOX), arg_int(index))
                         .as_logical())
            << index;
    }
    EXPECT_EQ(item(cmd_combo_item_text, kCombo, TAG_UNIT_COMBOBOX, 2), "c");
    EXPECT_EQ(item(cmd_list_item_text, kList, TAG_UNIT_LISTBOX, 0), "x");
    EXPECT_EQ(plat::item_count(rt().unit_widget(kMain, kList)), 3) << "nothing was removed";
}

TEST_F(RuntimeTest, ListItemsAddReplaceAndDeleteKeepingTheSelection) {
    ASSERT_TRUE(rt().load_window(kMain, 0, false));
    EXPECT_EQ(as_int(rt().get_property(kMain, kList, prop::kListSelection)), -1)
        << "no initial selection";
    int changes = 0;
    count_into(7, changes);
    const char gbk[] =
        "\xC6\xF0\xB4\xB2\xA3\xBA"
        "7:30";  // 起床：7:30
    EXPECT_EQ(call(cmd_add_list_item, unit_ref(kList, TAG_UNIT_LISTBOX), arg_text(gbk)).as_int(),
              3);
    plat::set_current_index(rt().unit_widget(kMain, kList), 1);
    EXPECT_TRUE(
        call(cmd_set_list_item_text, unit_ref(kList, TAG_UNIT_LISTBOX), arg_int(1), arg_text("Y!"))
            .as_logical());
    EXPECT_EQ(item(cmd_list_item_text, kList, TAG_UNIT_LISTBOX, 1), "Y!");
    EXPECT_EQ(item(cmd_list_item_text, kList, TAG_UNIT_LISTBOX, 3), gbk);
    EXPECT_EQ(as_int(rt().get_property(kMain, kList, prop::kListSelection)), 1) << "selection kept";
    EXPECT_TRUE(
        call(cmd_delete_list_item, unit_ref(kList, TAG_UNIT_LISTBOX), arg_int(0)).as_logical());
    EXPECT_EQ(item(cmd_list_item_text, kList, TAG_UNIT_LISTBOX, 0), "Y!");
    EXPECT_EQ(changes, 0) << "the logic's own changes raise no selection event";
}

struct ComboRow {
    std::int32_t written;
    std::int32_t selected;
};

class ComboSelectionTest : public RuntimeTest, public ::testing::WithParamInterface<ComboRow> {};

TEST_P(ComboSelectionTest, WrittenSelectionIsClampedSilently) {
    ASSERT_TRUE(rt().load_window(kMain, 0, false));
    int events = 0;
    count_into(12, events);
    EXPECT_EQ(as_int(rt().get_property(kMain, kCombo, prop::kComboSelection)), -1);
    rt().set_property(kMain, kCombo, prop::kComboSelection, -1, int_arg(GetParam().written));
    EXPECT_EQ(as_int(rt().get_property(kMain, kCombo, prop::kComboSelection)), GetParam().selected);
    EXPECT_EQ(events, 0);
}

INSTANTIATE_TEST_SUITE_P(Rows, ComboSelectionTest,
                         ::testing::Values(ComboRow{1, 1}, ComboRow{2, 2}, ComboRow{3, 2},
                                           ComboRow{99, 2}, ComboRow{-1, -1}, ComboRow{-2, -1},
                                           ComboRow{-40000, -1}, ComboRow{0, 0}));

// --- the move method ----------------------------------------------------------

struct MoveRow {
    const char* name;
    std::vector<std::optional<int>> args;  // left, top, width, height; none = omitted
    plat::Rect expected;                   // from 5, 6, 80, 24
};

class MoveTest : public RuntimeTest, public ::testing::WithParamInterface<MoveRow> {};

TEST_P(MoveTest, OmittedOrMinusOneKeeps) {
    ASSERT_TRUE(rt().load_window(kMain, 0, false));
    std::vector<ArgRecord> args{unit_ref(kEdit, TAG_UNIT_EDITBOX)};
    for (const auto& a : GetParam().args) args.push_back(a ? arg_int(*a) : arg_none());
    call_command(cmd_move, static_cast<int>(args.size()), args.data());
    plat::Rect got{};
    got.left = as_int(rt().get_property(kMain, kEdit, prop::kLeft));
    got.top = as_int(rt().get_property(kMain, kEdit, prop::kTop));
    got.width = as_int(rt().get_property(kMain, kEdit, prop::kWidth));
    got.height = as_int(rt().get_property(kMain, kEdit, prop::kHeight));
    const plat::Rect& e = GetParam().expected;
    EXPECT_EQ(got, e) << GetParam().name << ": " << got.left << "," << got.top << " " << got.width
                      << "x" << got.height;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, MoveTest,
    ::testing::Values(MoveRow{"place only", {10, 20}, {10, 20, 80, 24}},
                      MoveRow{"all four", {10, 20, 30, 40}, {10, 20, 30, 40}},
                      MoveRow{"width -1", {10, 20, -1, 40}, {10, 20, 80, 40}},
                      MoveRow{"height -1", {10, 20, 30, -1}, {10, 20, 30, 24}},
                      MoveRow{"left omitted", {std::nullopt, 20, 30, 40}, {5, 20, 80, 24}},
                      MoveRow{"top omitted", {10, std::nullopt, 30, 40}, {10, 6, 80, 24}},
                      MoveRow{"left only", {10}, {10, 6, 80, 24}},
                      MoveRow{"width omitted", {10, 20, std::nullopt, 40}, {10, 20, 80, 40}},
                      MoveRow{"nothing", {}, {5, 6, 80, 24}}));

// --- destroying controls ----------------------------------------------------------

TEST_F(RuntimeTest, DestroyedControlLeavesItsWindowAndContainer) {
    ASSERT_TRUE(rt().load_window(kMain, 0, false));
    call(cmd_destroy, unit_ref(kInner, TAG_UNIT_EDITBOX));
    EXPECT_EQ(rt().unit_entry(kMain, kInner), nullptr);
    EXPECT_TRUE(rt().unit_entry(kMain, kPanel)->children.empty());
    // The units after it are still found under their own identifiers.
    EXPECT_EQ(text_of(rt().get_property(kMain, kCombo, prop::kComboContent)), "");
    EXPECT_EQ(item(cmd_list_item_text, kList, TAG_UNIT_LISTBOX, 2), "z");
    plat::process_pending_events();
    // Menu items are not destroyed this way.
    call(cmd_destroy, unit_ref(kMenuA, TAG_UNIT_MENU));
    EXPECT_NE(rt().unit_entry(kMain, kMenuA), nullptr);
}

TEST_F(RuntimeTest, DestroyedContainerTakesItsContentAlong) {
    ASSERT_TRUE(rt().load_window(kMain, 0, false));
    ASSERT_NE(rt().unit_widget(kMain, kInner), nullptr);
    call(cmd_destroy, unit_ref(kPanel, TAG_UNIT_DRAWPANEL));
    plat::process_pending_events();
    EXPECT_EQ(rt().unit_entry(kMain, kPanel), nullptr);
    // The content's widget died with the panel's; its unit holds none.
    EXPECT_EQ(rt().unit_widget(kMain, kInner), nullptr);
    rt().destroy_window(kMain);
    plat::process_pending_events();
    EXPECT_FALSE(rt().window_exists(kMain));
}

}  // namespace
}  // namespace vel::test
