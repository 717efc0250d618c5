// The allocator's reuse of released blocks: small blocks by size class, large
// blocks kept for the next request of about their size. Where this thread's
// blocks are not reused (address sanitizer builds) the reuse checks skip; the
// integrity checks hold either way.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <thread>
#include <vector>

#include "library/memory.h"

namespace vel {
namespace {

void fill(void* p, std::size_t n, int seed) {
    auto* b = static_cast<unsigned char*>(p);
    for (std::size_t i = 0; i < n; ++i) b[i] = static_cast<unsigned char>(seed + i * 7);
}

bool holds(const void* p, std::size_t n, int seed) {
    const auto* b = static_cast<const unsigned char*>(p);
    for (std::size_t i = 0; i < n; ++i)
        if (b[i] != static_cast<unsigned char>(seed + i * 7)) return false;
    return true;
}

TEST(BlockPool, SmallBlocksComeBackAndGrowKeepingTheirBytes) {
    if (!reuses_released_blocks()) GTEST_SKIP() << "no reuse in this build";
    // The last block released of a class is the next one handed out.
    void* a = allocate(20);
    release(a);
    EXPECT_EQ(allocate(17), a);
    // Growing within the class stays in place; beyond it the bytes move.
    fill(a, 20, 3);
    EXPECT_EQ(resize(a, 32), a);
    void* moved = resize(a, 33);
    EXPECT_NE(moved, a);
    EXPECT_TRUE(holds(moved, 20, 3));
    // Shrinking a block to nothing keeps it a block.
    void* kept = resize(moved, 0);
    EXPECT_NE(kept, nullptr);
    release(kept);
}

TEST(BlockPool, BlocksReleasedOnAnotherThreadAreUsedAgain) {
    if (!reuses_released_blocks()) GTEST_SKIP() << "no reuse in this build";
    constexpr int kBlocks = 2000;
    std::vector<void*> blocks;
    for (int i = 0; i < kBlocks; ++i) blocks.push_back(allocate(40));
    const std::set<void*> released(blocks.begin(), blocks.end());
    std::thread([&] {
        for (void* p : blocks) release(p);
    }).join();
    // The owner takes them over once its own list of the class runs dry:
    // every one of them must come back before fresh blocks run out.
    std::set<void*> back;
    std::vector<void*> taken;
    for (int i = 0; i < 200000 && back.size() < released.size(); ++i) {
        void* p = allocate(48);
        taken.push_back(p);
        if (released.count(p)) {
            EXPECT_TRUE(back.insert(p).second) << "handed out twice";
        }
    }
    EXPECT_EQ(back.size(), released.size());
    for (void* p : taken) release(p);
}

TEST(BlockPool, EverySizeUpToTheLargestClassIsItsOwnBlock) {
    // Blocks of every small size, written whole, then checked after the rest
    // were written: a class smaller than its request would overlap a neighbour.
    std::vector<std::pair<void*, std::size_t>> live;
    for (int round = 0; round < 3; ++round)
        for (std::size_t n = 1; n <= 80; ++n) {
            void* p = allocate(n);
            fill(p, n, static_cast<int>(live.size()));
            live.emplace_back(p, n);
        }
    for (std::size_t i = 0; i < live.size(); ++i) {
        EXPECT_TRUE(holds(live[i].first, live[i].second, static_cast<int>(i))) << "block " << i;
        release(live[i].first);
    }
}

TEST(BlockPool, LargeBlocksAreKeptForOneRequestOfAboutTheirSize) {
    void* a = allocate(200000);
    fill(a, 200000, 1);
    release(a);
    void* b = allocate(190000);
    void* c = allocate(190000);
    EXPECT_NE(b, c);
    if (reuses_released_blocks()) {
        EXPECT_EQ(b, a);
    }
    // A kept block is a whole block: written to its end and grown like any.
    fill(b, 190000, 2);
    b = resize(b, 600000);
    EXPECT_TRUE(holds(b, 190000, 2));
    release(b);
    release(c);
    // Far smaller requests do not take a large kept block.
    void* d = allocate(300000);
    release(d);
    void* e = allocate(40000);
    if (reuses_released_blocks()) {
        EXPECT_NE(e, d);
    }
    release(e);
}

}  // namespace
}  // namespace vel
