// The typed door to units: what is written reads back the same for every
// payload kind, and its argument record names the unit to a unit method.
#include "forms/runtime/unit_methods.h"
#include "forms/runtime/unit_ref.h"
#include "library/call.h"
#include "runtime_fixture.h"

namespace vel::test {
namespace {

enum class Kind { integer, flag, text, byteset };

struct RoundTrip {
    const char* what;
    UnitId unit;
    int number;
    Kind kind;
    std::int32_t value;      // integer and flag rows
    std::string_view bytes;  // text and byte-set rows
};

TEST_F(RuntimeTest, UnitRefReadsBackWhatItWrites) {
    const RoundTrip rows[] = {
        {"negative integer", kEdit, prop::kLeft, Kind::integer, -12, {}},
        {"menu check on", kMenuA, prop::kMenuChecked, Kind::flag, 1, {}},
        {"control hidden", kEdit, prop::kVisible, Kind::flag, 0, {}},
        {"text cut from a longer one", kEdit, prop::kEditContent, Kind::text, 0, {"abcdef", 3}},
        {"GBK caption", kMenuA, prop::kMenuCaption, Kind::text, 0, "\xC6\xF0\xB4\xB2"},
        {"empty text", kEdit, prop::kTag, Kind::text, 0, ""},
        {"bytes with a zero inside", kEdit, prop::kPointer, Kind::byteset, 0, {"\x01\x00\x02", 3}},
        {"no bytes", kEdit, prop::kPointer, Kind::byteset, 0, ""},
    };
    ASSERT_TRUE(rt().load_window(kMain, 0, false));
    for (const RoundTrip& row : rows) {
        SCOPED_TRACE(row.what);
        const UnitRef ref{kMain, row.unit, TAG_NONE};  // properties do not read the tag
        switch (row.kind) {
            case Kind::integer:
                ref.set_int(row.number, row.value);
                EXPECT_EQ(ref.get_int(row.number), row.value);
                break;
            case Kind::flag:
                ref.set_flag(row.number, row.value != 0);
                EXPECT_EQ(ref.get_flag(row.number), row.value != 0);
                break;
            case Kind::text:
                ref.set_text(row.number, row.bytes);
                EXPECT_EQ(ref.get_text(row.number), row.bytes);
                break;
            case Kind::byteset: {
                auto data = reinterpret_cast<const std::uint8_t*>(row.bytes.data());
                const Bytes written(make_byteset({data, row.bytes.size()}));
                ref.set_bytes(row.number, written.get());
                const Bytes back = ref.get_bytes(row.number);
                const auto span = byteset_span(back.get());
                EXPECT_EQ(std::string_view(reinterpret_cast<const char*>(span.data()), span.size()),
                          row.bytes);
                EXPECT_EQ(back == nullptr, row.bytes.empty());
                break;
            }
        }
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
