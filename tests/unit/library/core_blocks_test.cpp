// Values, blocks and the inline routines the logic relies on.
#include <gtest/gtest.h>

#include <cfenv>
#include <cstring>

#include "library/blocks.h"
#include "library/call.h"
#include "library/memory.h"
#include "library/runtime_errors.h"

namespace vel {
namespace {

TEST(Texts, LengthConcatAndCompare) {
    EXPECT_EQ(text_length(nullptr), 0);
    EXPECT_EQ(text_length("\xC4\xE3"), 2);  // one Chinese character, two bytes

    Text both(concat_texts({nullptr, nullptr}));
    ASSERT_NE(both, nullptr) << "concat of empty parts is an allocated empty string";
    EXPECT_STREQ(both.get(), "");
    Text joined(concat_texts({"ab", nullptr, "", "\xC4\xE3"}));
    EXPECT_STREQ(joined.get(), "ab\xC4\xE3");

    struct Row {
        const char* a;
        const char* b;
        int expected;
    } rows[] = {
        {nullptr, "", 0},      {"", "a", -1},     {"a", nullptr, 1},
        {"ab", "ab", 0},       {"ab", "abc", -1}, {"\x80", "z", 1},  // unsigned bytes
        {"z", "\xC4\xE3", -1}, {"b", "a", 1},
    };
    for (const Row& r : rows)
        EXPECT_EQ(compare_texts(r.a, r.b), r.expected)
            << (r.a ? r.a : "(null)") << " vs " << (r.b ? r.b : "(null)");
}

TEST(Texts, EmptyResultsAreNull) {
    EXPECT_EQ(make_text(""), nullptr);
    EXPECT_EQ(make_byteset({}), nullptr);
}

TEST(ByteSets, LayoutIsDimensionLengthBytes) {
    const std::uint8_t data[] = {7, 8, 9};
    Bytes b(make_byteset(data));
    std::int32_t head[2];
    std::memcpy(head, b.get(), sizeof head);
    EXPECT_EQ(head[0], 1);
    EXPECT_EQ(head[1], 3);
    EXPECT_EQ(byteset_length(b.get()), 3);
    EXPECT_EQ(byteset_span(b.get())[2], 9);
    EXPECT_EQ(byteset_length(nullptr), 0);
    EXPECT_EQ(byteset_length(k_empty_byteset), 0);
}

TEST(Arrays, CountDataAndOwnedElements) {
    EXPECT_EQ(array_count(nullptr), 0);
    EXPECT_EQ(array_data(nullptr).first, nullptr);

    void* texts = make_array(3, TAG_TEXT | TAG_ARRAY);
    EXPECT_EQ(array_count(texts), 3);
    ArrayData d = array_data(texts);
    ASSERT_EQ(d.count, 3);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(d.first) % 8, 0u) << "pointer slots align";
    auto** slots = static_cast<char**>(d.first);
    slots[0] = make_text("one");
    slots[2] = make_text("three");
    release_array(texts, TAG_TEXT);  // frees the elements too (checked under ASan)

    const std::int32_t zero_dims[1] = {0};
    EXPECT_EQ(array_count(zero_dims), 0);
    EXPECT_EQ(array_slot_width(TAG_INT), 4);
    EXPECT_EQ(array_slot_width(TAG_DOUBLE), 8);
    EXPECT_EQ(array_slot_width(TAG_BYTESET), 8);
}

// A present empty text or byte set is the library's shared constant block;
// whoever owns the value releases it like any other, and nothing is freed.
TEST(ConstantBlocks, SharedEmptyValuesSurviveTheirRelease) {
    const ArgRecord present[] = {arg_text(nullptr), arg_byteset(nullptr)};
    for (const ArgRecord& a : present) {
        void* block = a.as_ptr<void>();
        ASSERT_NE(block, nullptr);
        EXPECT_TRUE(is_static(block));
        release(block);
        release(block);
    }
    EXPECT_EQ(k_empty_text[0], 0);
    EXPECT_EQ(k_empty_byteset[0], 1);
}

TEST(Numbers, TruncationTowardZeroWhateverTheRoundingMode) {
    const int saved = std::fegetround();
    for (int mode : {FE_TONEAREST, FE_UPWARD, FE_DOWNWARD}) {
        std::fesetround(mode);
        EXPECT_EQ(to_integer_trunc(2.9), 2);
        EXPECT_EQ(to_integer_trunc(-2.9), -2);
        EXPECT_EQ(to_integer_trunc(-0.5), 0);
        EXPECT_EQ(std::fegetround(), mode) << "the caller's mode is restored";
    }
    std::fesetround(saved);
}

TEST(Values, TagsAndArguments) {
    EXPECT_EQ(tag_class(0), TagClass::none);
    EXPECT_EQ(tag_class(TAG_TEXT), TagClass::builtin);
    EXPECT_EQ(tag_class(TAG_UNIT_WINDOW), TagClass::library_type);
    EXPECT_EQ(tag_class(0x40000000), TagClass::other);
    const TypeTag numeric[] = {TAG_BYTE, TAG_SHORT, TAG_INT, TAG_LONG, TAG_FLOAT, TAG_DOUBLE};
    const int widths[] = {1, 2, 4, 8, 4, 8};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(numeric_payload_width(numeric[i]), widths[i]);
    EXPECT_FALSE(is_numeric_tag(TAG_LOGICAL));
    EXPECT_FALSE(is_numeric_tag(TAG_DATETIME));

    // An omitted argument is told by its tag; a present 0 is present.
    EXPECT_FALSE(arg_none().present());
    EXPECT_TRUE(arg_int(0).present());
    // A present empty text or byte set is never null.
    EXPECT_NE(arg_text(nullptr).as_ptr<const char>(), nullptr);
    EXPECT_STREQ(arg_text(nullptr).as_ptr<const char>(), "");
    EXPECT_NE(arg_byteset(nullptr).as_ptr<const std::uint8_t>(), nullptr);
    // Pointers fill the whole payload on this machine.
    static const char here[] = "x";
    EXPECT_EQ(arg_text(here).as_ptr<const char>(), here);
    EXPECT_DOUBLE_EQ(arg_double(-1.25).as_double(), -1.25);
    EXPECT_EQ(arg_long(-5).as_long(), -5);
    EXPECT_EQ(arg_double(7.9).to_int(), 7);
    EXPECT_EQ(arg_unit(0x52010001, 0x16000002, TAG_UNIT_LABEL).hi, 0x16000002u);
}

void add_two(ResultRecord* r, int count, const ArgRecord* args) {
    EXPECT_EQ(r->lo | r->hi | r->tag, 0u) << "the gate zeroes the record";
    if (count == 2) r->set_int(args[0].as_int() + args[1].as_int());
}

TEST(CallGate, BothGatesZeroTheRecordAndReturnIt) {
    EXPECT_EQ(call(add_two, arg_int(2), arg_int(40)).as_int(), 42);
    const ArgRecord args[] = {arg_int(1), arg_int(1)};
    EXPECT_EQ(call_library_command(2, add_two, 2, args).as_int(), 2);
    EXPECT_EQ(call(add_two).as_int(), 0) << "no result leaves the record zero";
}

}  // namespace
}  // namespace vel
