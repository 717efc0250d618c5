// The typed door to units: what is written reads back the same for every
// payload kind, and its argument record names the unit to a unit method.
#include "forms/runtime/unit_methods.h"
#include "forms/runtime/unit_ref.h"
#include "library/call.h"
#include "runtime_fixture.h"

namespace vel::test {
namespace {

TEST_F(RuntimeTest, UnitRefReadsBackWhatItWrites) {
    ASSERT_TRUE(rt().load_window(kMain, 0, false));
    // Properties do not read the tag.
    const UnitRef edit{kMain, kEdit, TAG_NONE}, menu{kMain, kMenuA, TAG_NONE};
    edit.set_int(prop::kLeft, -12);
    EXPECT_EQ(edit.get_int(prop::kLeft), -12);
    for (const bool on : {true, false}) {
        menu.set_flag(prop::kMenuChecked, on);
        edit.set_flag(prop::kVisible, on);
        EXPECT_EQ(menu.get_flag(prop::kMenuChecked), on);
        EXPECT_EQ(edit.get_flag(prop::kVisible), on);
    }
    const struct {
        const UnitRef& ref;
        int number;
        std::string_view text;
    } texts[] = {{edit, prop::kEditContent, {"abcdef", 3}},
                 {menu, prop::kMenuCaption, "\xC6\xF0\xB4\xB2"},  // GBK
                 {edit, prop::kTag, ""}};
    for (const auto& row : texts) {
        row.ref.set_text(row.number, row.text);
        EXPECT_EQ(row.ref.get_text(row.number), row.text);
    }
    for (const std::string_view bytes : {std::string_view{"\x01\x00\x02", 3}, std::string_view{}}) {
        auto data = reinterpret_cast<const std::uint8_t*>(bytes.data());
        const Bytes written(make_byteset({data, bytes.size()}));
        edit.set_bytes(prop::kPointer, written.get());
        const Bytes back = edit.get_bytes(prop::kPointer);
        const auto span = byteset_span(back.get());
        EXPECT_EQ(std::string_view(reinterpret_cast<const char*>(span.data()), span.size()), bytes);
        EXPECT_EQ(back == nullptr, bytes.empty());
    }
}

TEST_F(RuntimeTest, UnitRefNamesItsUnitToUnitMethods) {
    const UnitRef list{kMain, kList, TAG_UNIT_LISTBOX};
    EXPECT_FALSE(list.window_loaded());
    EXPECT_EQ(list.live(), nullptr);
    ASSERT_TRUE(rt().load_window(kMain, 0, false));
    EXPECT_TRUE(list.window_loaded());
    EXPECT_NE(list.live(), nullptr);
    EXPECT_EQ(call(cmd_add_list_item, list.arg(), arg_text("w")).as_int(), 3);
    const Text added(call(cmd_list_item_text, list.arg(), arg_int(3)).as_ptr<char>());
    EXPECT_EQ(view(added), "w");
}

}  // namespace
}  // namespace vel::test
