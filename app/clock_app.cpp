#include "app/clock_app.h"

#include <cstdio>

namespace vel {

int run_clock(int, char**) {
    std::puts("VEL时钟");
    return 0;
}

}  // namespace vel
