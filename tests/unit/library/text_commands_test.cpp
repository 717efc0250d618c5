#include "library/commands/text_commands.h"

#include <gtest/gtest.h>

#include "cmd_util.h"

namespace vel {
namespace {

using test::returned_null;
using test::take_text;
using test::take_texts;

// Two Chinese characters 文件 (CE C4 BC FE) around ASCII.
constexpr const char* kMixed =
    "a\xCE\xC4\xBC\xFE"
    "b";

struct CutRow {
    CommandFn fn;
    const char* text;
    int a;
    int b;  // middle text's count; ignored by left/right
    const char* expected;
};

class CutText : public ::testing::TestWithParam<CutRow> {};

TEST_P(CutText, CutsByBytes) {
    const CutRow& row = GetParam();
    const ResultRecord r = call(row.fn, arg_text(row.text), arg_int(row.a), arg_int(row.b));
    if (*row.expected == 0) {
        EXPECT_TRUE(returned_null(r));  // the empty text is null, never ""
        release(r.as_ptr<void>());
    } else {
        EXPECT_EQ(take_text(r), row.expected);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CutText,
    ::testing::Values(
        CutRow{cmd_left_text, "abc", 2, 0, "ab"}, CutRow{cmd_left_text, "abc", 0, 0, ""},
        CutRow{cmd_left_text, "abc", -5, 0, ""}, CutRow{cmd_left_text, "abc", 0x7FFFFFFF, 0, "abc"},
        CutRow{cmd_left_text, "", 3, 0, ""},
        // counts cut characters in half: no boundary checks here
        CutRow{cmd_left_text, kMixed, 2, 0, "a\xCE"}, CutRow{cmd_right_text, "abc", 5, 0, "abc"},
        CutRow{cmd_right_text, "abc", 1, 0, "c"}, CutRow{cmd_right_text, "abc", -1, 0, ""},
        CutRow{cmd_right_text, kMixed, 2, 0,
               "\xFE"
               "b"},
        CutRow{cmd_middle_text, "10/30", 4, 2, "30"}, CutRow{cmd_middle_text, "10/30", 4, 99, "30"},
        CutRow{cmd_middle_text, "10/30", 5, 0x7FFFFFFF, "0"},
        CutRow{cmd_middle_text, "10/30", 6, 1, ""}, CutRow{cmd_middle_text, "10/30", 0, 1, ""},
        CutRow{cmd_middle_text, "10/30", -3, 1, ""}, CutRow{cmd_middle_text, "10/30", 1, -1, ""},
        CutRow{cmd_middle_text, kMixed, 3, 2, "\xC4\xBC"}));

struct FindRow {
    const char* text;
    const char* sought;
    int start;  // 0: omitted
    bool ignore_case;
    int expected;
};

class FindText : public ::testing::TestWithParam<FindRow> {};

TEST_P(FindText, FindsAtCharacterStarts) {
    const FindRow& row = GetParam();
    const ResultRecord r =
        call(cmd_find_text, arg_text(row.text), arg_text(row.sought),
             row.start ? arg_int(row.start) : arg_none(), arg_logical(row.ignore_case));
    EXPECT_EQ(r.as_int(), row.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, FindText,
    ::testing::Values(FindRow{"10/30", "/", 0, false, 3}, FindRow{"10/30", "/", 4, false, -1},
                      FindRow{"10/30", "/", 3, false, 3}, FindRow{"10/30", "/", -7, false, 3},
                      FindRow{"10/30", "/", 0x7FFFFFFF, false, -1}, FindRow{"", "", 0, false, -1},
                      FindRow{"ab", "", 0, false, 1}, FindRow{"ab", "", 2, false, 1},
                      FindRow{"ab", "", 3, false, -1}, FindRow{"ab", "abc", 0, false, -1},
                      // the trail byte of 文 and the lead of 件 are not a character start
                      FindRow{kMixed, "\xC4\xBC", 0, false, -1},
                      FindRow{kMixed, "\xBC\xFE", 0, false, 4},
                      // alarm line: name, full-width colon, 7:30/ring
                      FindRow{"\xC6\xF0\xB4\xB2\xA3\xBA"
                              "7:30/x",
                              "\xA3\xBA", 1, false, 5},
                      FindRow{"\xC6\xF0\xB4\xB2\xA3\xBA"
                              "7:30/x",
                              ":", 1, false, 8},
                      FindRow{"ABC", "bc", 0, false, -1}, FindRow{"ABC", "bc", 0, true, 2},
                      // 81 41 and 81 61 are different characters: ignoring case
                      // must not fold a trail byte
                      FindRow{"\x81\x41", "\x81\x61", 0, true, -1},
                      // a lead byte cut off by the end stops the search
                      FindRow{"a\xCE", "x", 0, false, -1}));

struct ReplaceRow {
    const char* text;
    const char* old_text;
    const char* new_text;
    int start;           // 0: omitted
    int count;           // -2: omitted
    int case_sensitive;  // -1: omitted
    const char* expected;
};

class ReplaceSubtext : public ::testing::TestWithParam<ReplaceRow> {};

TEST_P(ReplaceSubtext, ReplacesWholeCharacters) {
    const ReplaceRow& row = GetParam();
    const ResultRecord r =
        call(cmd_replace_subtext, arg_text(row.text), arg_text(row.old_text),
             row.new_text ? arg_text(row.new_text) : arg_none(),
             row.start ? arg_int(row.start) : arg_none(),
             row.count != -2 ? arg_int(row.count) : arg_none(),
             row.case_sensitive >= 0 ? arg_logical(row.case_sensitive != 0) : arg_none());
    if (*row.expected == 0) {
        EXPECT_TRUE(returned_null(r));
        release(r.as_ptr<void>());
    } else {
        EXPECT_EQ(take_text(r), row.expected);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ReplaceSubtext,
    ::testing::Values(
        // how the editor removes an alarm line: the whole text by itself
        ReplaceRow{"a:1/b\r\n", "a:1/b\r\n", "", 1, 1, 1, ""},
        ReplaceRow{"x-x-x", "x", "yy", 0, -2, -1, "yy-yy-yy"},
        ReplaceRow{"x-x-x", "x", "y", 1, 2, 1, "y-y-x"},
        ReplaceRow{"x-x-x", "x", "y", 2, -2, 1, "x-y-y"},
        ReplaceRow{"x-x-x", "x", "y", 1, -7, 1, "y-y-y"},
        ReplaceRow{"x-x-x", "x", "y", 1, 0, 1, "x-x-x"},
        ReplaceRow{"x-x-x", "x", "y", 99, -2, 1, "x-x-x"},
        ReplaceRow{"x-x-x", "", "y", 1, -2, 1, "x-x-x"},
        ReplaceRow{"X-x", "x", nullptr, 0, -2, -1, "-"},  // default: ignore case, new empty
        ReplaceRow{"X-x", "x", "", 0, -2, 1, "X-"},
        ReplaceRow{"\x81\x41\x81\x61", "\x81\x61", "!", 0, -2, 0, "\x81\x41!"},
        // the trail byte of 文 with the lead of 件 is no match
        ReplaceRow{kMixed, "\xC4\xBC", "!", 1, -2, 1, kMixed},
        // a lone lead byte at the end ends the walk and is dropped
        ReplaceRow{"ab\xCE", "b", "B", 1, -2, 1, "aB"}, ReplaceRow{"", "a", "b", 1, -2, 1, ""}));

struct SplitRow {
    const char* text;
    const char* delimiter;  // null: omitted
    int maximum;            // -2: omitted
    std::vector<std::string> pieces;
};

class SplitText : public ::testing::TestWithParam<SplitRow> {};

TEST_P(SplitText, SplitsAtDelimiters) {
    const SplitRow& row = GetParam();
    const ResultRecord r = call(cmd_split_text, arg_text(row.text),
                                row.delimiter ? arg_text(row.delimiter) : arg_none(),
                                row.maximum != -2 ? arg_int(row.maximum) : arg_none());
    ASSERT_NE(r.as_ptr<void>(), nullptr);  // even no pieces is an array
    EXPECT_EQ(take_texts(r), row.pieces);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SplitText,
    ::testing::Values(SplitRow{"a\r\nb\r\n", "\r\n", -2, {"a", "b"}},
                      SplitRow{"a\r\n\r\nb", "\r\n", -2, {"a", "", "b"}},
                      SplitRow{"a,b,", nullptr, -2, {"a", "b"}},
                      SplitRow{",a", nullptr, -2, {"", "a"}}, SplitRow{"a,b", ",", 1, {"a"}},
                      SplitRow{"a,b", ",", 0, {}}, SplitRow{"a,b", ",", -9, {"a", "b"}},
                      SplitRow{"", ",", -2, {}}, SplitRow{"a,b", "", -2, {"a,b"}},
                      // 0x2C as a trail byte? Not in GBK; but the trail byte of
                      // 文 followed by 件's lead must not match a two-byte delimiter
                      SplitRow{kMixed, "\xC4\xBC", -2, {kMixed}},
                      SplitRow{"a,\xCE", ",", -2, {"a", "\xCE"}}));

TEST(SplitText, NullPiecesAreNullElements) {
    const ResultRecord r = call(cmd_split_text, arg_text(",a"));
    const ArrayData d = array_data(r.as_ptr<void>());
    ASSERT_EQ(d.count, 2);
    EXPECT_EQ(static_cast<char**>(d.first)[0], nullptr);
    release_array(r.as_ptr<void>(), TAG_TEXT);
}

TEST(TextCommands, ShortArgumentListsAreSafe) {
    EXPECT_EQ(call(cmd_text_length, arg_text(kMixed)).as_int(), 6);
    EXPECT_EQ(call(cmd_text_length).as_int(), 0);
    EXPECT_EQ(call(cmd_find_text, arg_text("abc")).as_int(), 1);  // sought reads as ""
    EXPECT_TRUE(returned_null(call(cmd_middle_text, arg_text("abc"))));
    EXPECT_TRUE(returned_null(call(cmd_left_text)));
    // a number where a text belongs is not taken for a pointer
    EXPECT_EQ(call(cmd_find_text, arg_int(12345), arg_text("a")).as_int(), -1);
    EXPECT_EQ(take_texts(call(cmd_split_text)), std::vector<std::string>{});
}

}  // namespace
}  // namespace vel
