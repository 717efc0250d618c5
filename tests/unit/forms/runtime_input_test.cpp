// Typing into edit boxes: the character event's answer, the key state bits,
// integer input and the byte limit that counts a Chinese character twice.
#include <string>

#include "runtime_fixture.h"

namespace vel::test {
namespace {

// Types each character of `gbk` (one or two bytes each) into the widget.
void type(plat::Widget* w, std::string_view gbk) {
    for (std::size_t i = 0; i < gbk.size();) {
        const std::size_t n = static_cast<unsigned char>(gbk[i]) >= 0x81 ? 2 : 1;
        const std::string one(gbk.substr(i, n));
        int key = 0;
        if (n == 1 && std::isalnum(static_cast<unsigned char>(one[0])))
            key = std::toupper(static_cast<unsigned char>(one[0]));
        plat::send_key(w, key, 0, one);
        i += n;
    }
}

std::string content(UnitId unit) {
    return plat::text(FormRuntime::instance().unit_widget(kMain, unit));
}

struct CharRow {
    const char* name;
    HandlerResult answer;
    const char* typed;
    const char* expected;
};

class CharacterEventTest : public RuntimeTest, public ::testing::WithParamInterface<CharRow> {};

TEST_P(CharacterEventTest, AnswerDecidesWhatIsTyped) {
    ASSERT_TRUE(rt().load_window(kMain, 0, false));
    plat::set_text(rt().unit_widget(kMain, kEdit), "");
    std::vector<std::int32_t> codes;
    const HandlerResult answer = GetParam().answer;
    g_slots[5] = [&](std::span<const std::int32_t> a) {
        codes.assign(a.begin(), a.end());
        return answer;
    };
    type(rt().unit_widget(kMain, kEdit), GetParam().typed);
    EXPECT_EQ(content(kEdit), GetParam().expected) << GetParam().name;
    ASSERT_EQ(codes.size(), 1u) << "one argument: the character code";
    const auto* typed = reinterpret_cast<const unsigned char*>(GetParam().typed);
    const int code = typed[0] >= 0x81 ? (typed[0] << 8 | typed[1]) : typed[0];
    EXPECT_EQ(codes[0], code) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    Answers, CharacterEventTest,
    ::testing::Values(CharRow{"nothing keeps", std::nullopt, "a", "a"},
                      CharRow{"same keeps", 'a', "a", "a"}, CharRow{"zero swallows", 0, "a", ""},
                      CharRow{"other replaces", 'b', "a", "b"},
                      CharRow{"replaced by GBK", 0xC6F0, "a", "\xC6\xF0"},  // 起
                      CharRow{"GBK code given", std::nullopt, "\xC6\xF0", "\xC6\xF0"},
                      CharRow{"GBK swallowed", 0, "\xC6\xF0", ""}));

TEST_F(RuntimeTest, KeyEventsCarryTheVirtualKeyAndStateBits) {
    ASSERT_TRUE(rt().load_window(kMain, 0, false));
    std::vector<std::int32_t> args;
    g_slots[6] = [&](std::span<const std::int32_t> a) -> HandlerResult {
        args.assign(a.begin(), a.end());
        return std::nullopt;
    };
    const std::pair<int, int> rows[] = {{0, 0},
                                        {plat::kKeyCtrl, 1},
                                        {plat::kKeyShift, 2},
                                        {plat::kKeyAlt, 4},
                                        {plat::kKeyCtrl | plat::kKeyAlt, 5},
                                        {plat::kKeyCtrl | plat::kKeyShift | plat::kKeyAlt, 7}};
    for (auto [keys, bits] : rows) {
        args.clear();
        plat::send_key(rt().unit_widget(kMain, kEdit), '7', keys, "");
        EXPECT_EQ(args, (std::vector<std::int32_t>{'7', bits})) << keys;
    }
}

TEST_F(RuntimeTest, KeyDownAnsweredFalseTypesNothing) {
    ASSERT_TRUE(rt().load_window(kMain, 0, false));
    plat::set_text(rt().unit_widget(kMain, kEdit), "");
    int chars = 0;
    count_into(5, chars);
    g_slots[6] = [](auto) -> HandlerResult { return 0; };
    type(rt().unit_widget(kMain, kEdit), "x");
    EXPECT_EQ(content(kEdit), "");
    EXPECT_EQ(chars, 0) << "no character event after a stopped key";
}

struct InputRow {
    UnitId unit;
    const char* typed;
    const char* expected;
};

class EditInputTest : public RuntimeTest, public ::testing::WithParamInterface<InputRow> {};

TEST_P(EditInputTest, TypedTextIsFilteredAndLimited) {
    ASSERT_TRUE(rt().load_window(kMain, 0, false));
    type(rt().unit_widget(kMain, GetParam().unit), GetParam().typed);
    EXPECT_EQ(content(GetParam().unit), GetParam().expected);
}

// 起 is \xC6\xF0: two bytes.
INSTANTIATE_TEST_SUITE_P(
    Rows, EditInputTest,
    ::testing::Values(InputRow{kDigits, "1a-2b", "1-2"}, InputRow{kDigits, "x y", ""},
                      InputRow{kDigits, "-07", "-07"},
                      InputRow{kDigits,
                               "\xC6\xF0"
                               "5",
                               "5"},
                      InputRow{kDigits, "\xA3\xB1", ""},  // a full-width digit
                      InputRow{kName, "abcdefghijklmnop", "abcdefghijklmn"},
                      InputRow{kName,
                               "\xC6\xF0\xC6\xF0\xC6\xF0\xC6\xF0\xC6\xF0\xC6\xF0\xC6\xF0\xC6\xF0",
                               "\xC6\xF0\xC6\xF0\xC6\xF0\xC6\xF0\xC6\xF0\xC6\xF0\xC6\xF0"},
                      InputRow{kName, "abcdefghijklm\xC6\xF0z", "abcdefghijklmz"},
                      InputRow{kName, "\xC6\xF0\xC6\xF0\xC6\xF0\xC6\xF0\xC6\xF0\xC6\xF0xy!",
                               "\xC6\xF0\xC6\xF0\xC6\xF0\xC6\xF0\xC6\xF0\xC6\xF0xy"}));

TEST_F(RuntimeTest, TheLogicMayWriteWhatTheUserMayNotType) {
    ASSERT_TRUE(rt().load_window(kMain, 0, false));
    rt().set_property(kMain, kDigits, prop::kEditContent, -1, text_arg("ab"));
    EXPECT_EQ(content(kDigits), "ab");
    rt().set_property(kMain, kName, prop::kEditContent, -1, text_arg("0123456789abcdef"));
    EXPECT_EQ(content(kName), "0123456789abcdef");
}

}  // namespace
}  // namespace vel::test
