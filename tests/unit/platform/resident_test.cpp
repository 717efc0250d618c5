// Letting go of start-up pages: resident memory goes down, and everything
// the process wrote (data, relocated pointers, the heap) reads back the same.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>

#include "platform/memory/resident.h"

namespace {

std::int64_t rollup_kb(const std::string& field) {
    std::ifstream in("/proc/self/smaps_rollup");
    std::string line;
    while (std::getline(in, line))
        if (line.rfind(field + ":", 0) == 0) return std::stoll(line.substr(field.size() + 1));
    return -1;
}

// Pointers in a constant table: the loader relocates them and then makes the
// page read-only. Losing that page's own copy would turn them into garbage.
const char* const kWords[] = {"dial", "butterfly", "chime"};
int g_counter = 41;
int (*volatile g_op)(int) = [](int x) { return x * 3; };

TEST(ResidentPages, TrimLowersResidentMemoryAndKeepsWhatWasWritten) {
    auto heap = std::make_unique<std::uint8_t[]>(1 << 20);
    for (int i = 0; i < (1 << 20); ++i) heap[i] = static_cast<std::uint8_t>(i * 7);
    ++g_counter;
    const std::int64_t before = rollup_kb("Rss");
    ASSERT_GT(before, 0);

    const std::int64_t dropped = plat::trim_resident_pages();
    EXPECT_GT(dropped, 0);
    EXPECT_LT(rollup_kb("Rss"), before) << "read-only pages were let go";

    EXPECT_STREQ(kWords[0], "dial");
    EXPECT_STREQ(kWords[2], "chime");
    EXPECT_EQ(g_counter, 42);
    EXPECT_EQ(g_op(14), 42) << "code runs again from the page cache";
    for (int i = 0; i < (1 << 20); i += 4093)
        ASSERT_EQ(heap[i], static_cast<std::uint8_t>(i * 7)) << i;
    EXPECT_EQ(std::strlen(kWords[1]), 9u);
    // A second trim finds the same pages and harms nothing.
    EXPECT_GT(plat::trim_resident_pages(), 0);
    EXPECT_EQ(g_counter, 42);
}

}  // namespace
