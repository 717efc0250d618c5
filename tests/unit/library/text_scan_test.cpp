// Search and split against the rule stated plainly, a character-by-character
// walk, over generated GBK-like texts; and the allocator's static ranges.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "cmd_util.h"
#include "library/commands/text_commands.h"
#include "library/memory.h"

namespace vel {
namespace {

// The rule stated plainly: stand on each character in turn (a byte >= 0x80
// takes the next byte with it) and look for `sought` there.
int walk_find(const std::string& text, const std::string& sought, std::size_t from) {
    if (sought.empty()) return from < text.size() ? 1 : -1;
    for (std::size_t at = from; at < text.size();) {
        if (text.compare(at, sought.size(), sought) == 0) return static_cast<int>(at + 1);
        at += static_cast<unsigned char>(text[at]) >= 0x80 ? 2 : 1;
    }
    return -1;
}

std::vector<std::string> walk_split(const std::string& text, const std::string& delimiter) {
    std::vector<std::string> pieces;
    if (text.empty()) return pieces;
    std::size_t cut = 0;
    for (std::size_t at = 0; at < text.size();) {
        if (text.compare(at, delimiter.size(), delimiter) == 0) {
            pieces.push_back(text.substr(cut, at - cut));
            cut = at += delimiter.size();
        } else {
            at += static_cast<unsigned char>(text[at]) >= 0x80 ? 2 : 1;
        }
    }
    if (cut < text.size()) pieces.push_back(text.substr(cut));
    return pieces;
}

// Texts of a few bytes chosen so that ASCII look-alikes, leads and trails mix:
// 0xA3 0xBA is the full-width colon, and a lead may be followed by ':'.
std::string random_text(std::mt19937& rng, std::size_t length) {
    static const char kBytes[] = {':',    '/',    '7',    '\r',   '\n', 'a',
                                  '\xA3', '\xBA', '\xC6', '\x81', '\\'};
    std::string s;
    for (std::size_t i = 0; i < length; ++i) s.push_back(kBytes[rng() % sizeof kBytes]);
    return s;
}

TEST(TextScan, SearchAndSplitAgreeWithTheWalk) {
    std::mt19937 rng(7);
    const std::string sought[] = {":", "/", "\xA3\xBA", "\xBA:", "\r\n", "\xC6", "7:7"};
    for (int round = 0; round < 4000; ++round) {
        const std::string text = random_text(rng, rng() % 24);
        for (const std::string& s : sought) {
            const auto start = static_cast<std::int32_t>(rng() % 4);
            const std::size_t from = start > 1 ? static_cast<std::size_t>(start) - 1 : 0;
            ASSERT_EQ(find_text(text, s, start), walk_find(text, s, from))
                << "text " << ::testing::PrintToString(text) << " sought "
                << ::testing::PrintToString(s) << " start " << start;
            const std::vector<std::string> expected = walk_split(text, s);
            ASSERT_EQ(
                test::take_texts(call(cmd_split_text, arg_text(text.c_str()), arg_text(s.c_str()))),
                expected)
                << "text " << ::testing::PrintToString(text) << " delimiter "
                << ::testing::PrintToString(s);
        }
    }
}

TEST(TextScan, TheCommandAgreesWithTheWalkOnShortAndLongTexts) {
    // The command reads its zero-terminated texts as they come, short and
    // long ones.
    std::mt19937 rng(11);
    const std::string sought[] = {":", "/", "\\", "\xA3\xBA", "\xBA:", "\xC6", "7:7", "\x81"};
    for (int round = 0; round < 3000; ++round) {
        const std::string text = random_text(rng, round % 3 == 0 ? 50 + rng() % 90 : rng() % 24);
        for (const std::string& s : sought) {
            const auto start = static_cast<std::int32_t>(rng() % (text.size() + 3)) - 1;
            const std::size_t from = start > 1 ? static_cast<std::size_t>(start) - 1 : 0;
            ASSERT_EQ(call(cmd_find_text, arg_text(text.c_str()), arg_text(s.c_str()),
                           arg_int(start), arg_logical(false))
                          .as_int(),
                      walk_find(text, s, from))
                << "text " << ::testing::PrintToString(text) << " sought "
                << ::testing::PrintToString(s) << " start " << start;
        }
    }
}

TEST(TextScan, TrailBytesThatLookLikeTheSoughtByteAreSkipped) {
    // 0x5C ('\\') and 0x3A (':') can be trail bytes here, also after a
    // long run of two-byte characters.
    std::string pairs;
    for (int i = 0; i < 40; ++i) pairs += "\x81\x5C";
    const std::string cases[][3] = {
        {"\x81\x5C\\", "\\", "3"},
        {"\x81:", ":", "-1"},
        {"\x81\x81:", ":", "3"},
        {"\x81\x81\x81:", ":", "-1"},
        {pairs + "\\", "\\", std::to_string(pairs.size() + 1)},
        {pairs + "\x81", "\\", "-1"},  // a lead cut off by the end
        {"a" + pairs + "\\", "\\", std::to_string(pairs.size() + 2)},
    };
    for (const auto& [text, s, expected] : cases)
        EXPECT_EQ(call(cmd_find_text, arg_text(text.c_str()), arg_text(s.c_str())).as_int(),
                  std::stoi(expected))
            << ::testing::PrintToString(text);
}

TEST(TextScan, EveryWayOfPassingTheArgumentsFindsTheSame) {
    // Four arguments of their own kinds are read straight; a start given as
    // another number, an omitted start or case, and ignoring case for a text
    // without letters must all find what that reading finds.
    std::mt19937 rng(5);
    const std::string sought[] = {":", "\xA3\xBA", "7:7"};
    for (int round = 0; round < 500; ++round) {
        const std::string text = random_text(rng, rng() % 24);
        for (const std::string& s : sought) {
            const auto start = static_cast<std::int32_t>(rng() % 5);
            const auto t = arg_text(text.c_str());
            const auto f = arg_text(s.c_str());
            const std::int32_t straight =
                call(cmd_find_text, t, f, arg_int(start), arg_logical(false)).as_int();
            ASSERT_EQ(straight, walk_find(text, s, start > 1 ? start - 1u : 0u));
            EXPECT_EQ(
                call(cmd_find_text, t, f, arg_double(start + 0.5), arg_logical(false)).as_int(),
                straight);
            EXPECT_EQ(call(cmd_find_text, t, f, arg_long(start), arg_none()).as_int(), straight);
            EXPECT_EQ(call(cmd_find_text, t, f, arg_int(start)).as_int(), straight);
            EXPECT_EQ(call(cmd_find_text, t, f, arg_int(start), arg_logical(true)).as_int(),
                      straight);
            if (start <= 1) {
                EXPECT_EQ(call(cmd_find_text, t, f).as_int(), straight);
            }
        }
    }
}

TEST(TextScan, SplitArraysGrowAndShrinkToTheirPieces) {
    // Far more pieces than a text of this length usually holds, and far fewer.
    std::string many;
    for (int i = 0; i < 3000; ++i) many += std::to_string(i % 10) + ",";
    const std::vector<std::string> pieces =
        test::take_texts(call(cmd_split_text, arg_text(many.c_str())));
    ASSERT_EQ(pieces.size(), 3000u);
    for (int i = 0; i < 3000; ++i) ASSERT_EQ(pieces[i], std::to_string(i % 10));
    EXPECT_EQ(
        test::take_texts(call(cmd_split_text, arg_text(many.c_str()), arg_text(","), arg_int(2500)))
            .size(),
        2500u);

    const std::string few = std::string(5000, 'x') + "\r\n" + std::string(3000, 'y');
    const std::vector<std::string> two =
        test::take_texts(call(cmd_split_text, arg_text(few.c_str()), arg_text("\r\n")));
    ASSERT_EQ(two.size(), 2u);
    EXPECT_EQ(two[0], std::string(5000, 'x'));
    EXPECT_EQ(two[1], std::string(3000, 'y'));
}

TEST(TextScan, RunsOfLeadBytesOfEveryLengthBeforeACandidate) {
    // Whether a ':' after a run of bytes >= 0x80 starts a character depends
    // on the run's parity, wherever the run begins and however long it is.
    for (const std::string prefix : {"", "a", "ab\x81\x81", "0123456789"}) {
        for (int run = 0; run <= 40; ++run) {
            const std::string text = prefix + std::string(run, '\xB0') + ":x:";
            ASSERT_EQ(find_text(text, ":"), walk_find(text, ":", 0))
                << ::testing::PrintToString(text);
            ASSERT_EQ(test::take_texts(call(cmd_split_text, arg_text(text.c_str()), arg_text(":"))),
                      walk_split(text, ":"))
                << ::testing::PrintToString(text);
        }
    }
}

TEST(TextScan, LongRunsOfTwoByteCharactersStayLinear) {
    // A colon after half a million two-byte characters, each trail byte a
    // candidate that is not a boundary: a search that walked back to the
    // start from every candidate would take minutes.
    std::string text;
    for (int i = 0; i < 500000; ++i) text += "\x81\x3A";
    text += ":";
    EXPECT_EQ(find_text(text, ":"), static_cast<std::int32_t>(text.size()));
}

TEST(Allocator, GapsBetweenStaticRangesAreNotStatic) {
    alignas(8) static const std::uint8_t area[64] = {};
    static const bool once = [] {
        register_static_range(area, area + 16);
        register_static_range(area + 32, area + 48);
        return true;
    }();
    (void)once;
    EXPECT_TRUE(is_static(area + 15));
    EXPECT_FALSE(is_static(area + 20));  // inside the bounds of all ranges
    EXPECT_TRUE(is_static(area + 32));
    EXPECT_FALSE(is_static(area + 48));
}

}  // namespace
}  // namespace vel
