// A timer goes on ticking, nested, while one of its ticks waits in a loop of
// its own (a prompt), at any depth, and ticks plainly again once they return.
#include <gtest/gtest.h>

#include <vector>

#include "platform/window_system.h"

namespace plat {
namespace {

TEST(TimerNesting, TicksGoOnInsideLoopsThatTicksRun) {
    ASSERT_TRUE(init_window_system());
    // Three loops, one inside the tick of the one before, each waiting for
    // three ticks.
    const struct { int depth = 3, ticks_inside = 3; } n;
    int level = 0;                          // loops open now
    std::vector<int> seen(n.depth + 1, 0);  // ticks at each level
    int plain_after = 0;                    // ticks at level 0 after all returned
    bool returned = false;
    bool gave_up = false;  // without nested ticks the loops would wait for ever
    const TimerId watchdog = start_timer(3000, [&] {
        gave_up = true;
        wake_nested_loops();
    });
    const TimerId id = start_timer(15, [&] {
        ++seen[level];
        if (returned) {
            ++plain_after;
            wake_nested_loops();
            return;
        }
        if (level > 0 && seen[level] >= n.ticks_inside) wake_nested_loops();
        if (level < n.depth && seen[level] == (level == 0 ? 1 : n.ticks_inside)) {
            const int mine = ++level;
            run_nested_loop([&, mine] { return gave_up || seen[mine] >= n.ticks_inside; });
            --level;
            if (level == 0) returned = true;
        }
    });
    run_nested_loop([&] { return gave_up || plain_after >= 3; });
    stop_timer(id);
    stop_timer(watchdog);
    EXPECT_FALSE(gave_up);
    for (int l = 1; l <= n.depth; ++l)
        EXPECT_GE(seen[l], n.ticks_inside) << "no ticks inside the loop at depth " << l;
    EXPECT_GE(plain_after, 3);
}

}  // namespace
}  // namespace plat
