// Allocation, static ranges, fatal errors, program end and external routines.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "library/blocks.h"
#include "library/call.h"
#include "library/memory.h"
#include "library/runtime_errors.h"
#include "platform/routine_tables.h"

namespace vel {
namespace {

alignas(8) const std::uint8_t k_static_block[16] = {1, 0, 0, 0, 4, 0, 0, 0, 'w', 'a', 'v', 'e'};

TEST(Allocator, StaticBlocksAreNeverFreedAndResizeCopiesThem) {
    static bool registered = false;
    if (!registered) register_static_range(k_static_block, k_static_block + sizeof k_static_block);
    registered = true;
    EXPECT_TRUE(is_static(k_static_block + 8));
    EXPECT_FALSE(is_static(k_static_block + sizeof k_static_block));
    release(const_cast<std::uint8_t*>(k_static_block));  // must be a no-op (ASan would object)
    release(nullptr);

    // Resizing a static block copies what lies up to the end of its range.
    auto* copy =
        static_cast<std::uint8_t*>(resize(const_cast<std::uint8_t*>(k_static_block + 8), 32));
    EXPECT_EQ(std::memcmp(copy, "wave", 4), 0);
    release(copy);

    auto* grown = static_cast<char*>(resize(nullptr, 4));
    std::memcpy(grown, "abc", 4);
    grown = static_cast<char*>(resize(grown, 4096));
    EXPECT_STREQ(grown, "abc");
    release(grown);
}

TEST(FatalErrors, BoxTextFollowsTheFixedLayout) {
    // 运行时出错! / 错误代码：4 / 错误信息：<message>
    EXPECT_EQ(fatal_box_text(4, fatal_code_message(4)),
              "\xD4\xCB\xD0\xD0\xCA\xB1\xB3\xF6\xB4\xED!\r\n\r\n"
              "\xB4\xED\xCE\xF3\xB4\xFA\xC2\xEB\xA3\xBA"
              "4\r\n\r\n"
              "\xB4\xED\xCE\xF3\xD0\xC5\xCF\xA2\xA3\xBA" +
                  fatal_code_message(4) + "\r\n");
    EXPECT_EQ(fatal_box_text(0, ""), "\xD4\xCB\xD0\xD0\xCA\xB1\xB3\xF6\xB4\xED!\r\n\r\n");
    EXPECT_EQ(fatal_code_message(1),
              "\xCA\xFD\xD7\xE9\xB3\xC9\xD4\xB1\xD2\xFD\xD3\xC3\xCF\xC2\xB1\xEA\xB3\xAC\xB3\xF6"
              "\xB6\xA8\xD2\xE5\xB7\xB6\xCE\xA7");
    EXPECT_TRUE(fatal_code_message(12).empty());
}

// With no window system the fatal text goes to standard error, in the
// locale's character set.
class FatalDeathTest : public ::testing::Test {
protected:
    void SetUp() override { setenv("LC_ALL", "C.UTF-8", 1); }
    void TearDown() override { unsetenv("LC_ALL"); }
};

TEST_F(FatalDeathTest, ElementAccessBelowOneAndAboveCount) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(check_element_index(0, 25), ::testing::ExitedWithCode(255), "错误代码：4");
    EXPECT_EXIT(check_element_index(26, 25), ::testing::ExitedWithCode(255), "错误代码：1");
    check_element_index(25, 25);  // in range: returns
}

TEST_F(FatalDeathTest, OutOfMemoryNamesTheWholeSize) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the address sanitizer stops a 64 TiB request itself";
#else
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(allocate(std::size_t{1} << 46), ::testing::ExitedWithCode(255),
                "分配 70368744177664 字节内存失败!");
#endif
}

TEST_F(FatalDeathTest, PresenterSeesTheBoxAndCleanupRunsOnce) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            set_fatal_presenter([](const std::string& text, const std::string& caption) {
                std::fprintf(stderr, "[box %s] %s", caption.c_str(), text.c_str());
            });
            register_cleanup([] { std::fputs("cleanup\n", stderr); });
            fatal_runtime_error(0, "boom");
        },
        ::testing::ExitedWithCode(255), "\\[box \xB4\xED\xCE\xF3\\].*boom(.|\n)*cleanup");
}

TEST_F(FatalDeathTest, EndProgramRunsCleanupThenHooksAndExits) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            register_cleanup([] { std::fputs("cleanup;", stderr); });
            register_end_hook([] { std::fputs("sounds;", stderr); });
            end_program(3);
        },
        ::testing::ExitedWithCode(3), "cleanup;sounds;");
}

// Test tables standing in for the system libraries.
std::int64_t add(const std::int64_t* a) {
    return a[0] + a[1];
}
std::int64_t seven(const std::int64_t*) {
    return 7;
}
const plat::BuiltinRoutine k_kernel[] = {{"Beep", 1, 2, add}};
const plat::BuiltinRoutine k_gdi[] = {{"Other", 1, 0, seven}};
const plat::BuiltinRoutine k_user[] = {{"OnlyInUser", 1, 2, add}, {"Seven", 2, 0, seven}};
const plat::BuiltinLibrary k_kernel_lib{"Kernel32.dll", k_kernel};
const plat::BuiltinLibrary k_gdi_lib{"Gdi32.dll", k_gdi};
const plat::BuiltinLibrary k_user_lib{"User32.dll", k_user};

class ExternalRoutines : public ::testing::Test {
protected:
    void SetUp() override {
        for (auto* lib : {&k_kernel_lib, &k_gdi_lib, &k_user_lib})
            plat::register_builtin_library(lib);
        m_before = plat::loaded_library_count();
    }
    void TearDown() override {
        m_table.unload_all();
        for (auto* lib : {&k_kernel_lib, &k_gdi_lib, &k_user_lib})
            plat::unregister_builtin_library(lib);
    }
    ExternalRoutineTable m_table;
    int m_before = 0;
};

TEST_F(ExternalRoutines, LazyResolutionOrdinalsAndCaches) {
    m_table.declare({{"", "OnlyInUser"}, {"user32.dll", "#2"}, {"USER32", "Seven"}});
    EXPECT_FALSE(m_table.resolved(0)) << "nothing resolves before the first call";
    EXPECT_EQ(m_table.call(0, {40, 2}), 42);
    EXPECT_TRUE(m_table.resolved(0));
    // Kernel32 and Gdi32 were tried and unloaded again: only User32 stays loaded.
    EXPECT_EQ(plat::loaded_library_count(), m_before + 1);
    EXPECT_EQ(m_table.call(1, {}), 7);
    EXPECT_EQ(m_table.call(2, {}), 7);
    EXPECT_EQ(m_table.call(0, {1, 1}), 2) << "cached";
    EXPECT_EQ(plat::loaded_library_count(), m_before + 3);
    m_table.unload_all();
    EXPECT_EQ(plat::loaded_library_count(), m_before);
}

TEST_F(ExternalRoutines, MissingRoutinesAndUnbalancedCallsAreFatal) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    setenv("LC_ALL", "C.UTF-8", 1);  // the fatal text reaches standard error in UTF-8
    m_table.declare({{"", "Nowhere"}, {"user32.dll", "Nowhere"}, {"", "Beep"}});
    EXPECT_EXIT(m_table.call(0, {}), ::testing::ExitedWithCode(255),
                "无法找到指定DLL库文件中的输出命令“Nowhere”");
    EXPECT_EXIT(m_table.call(1, {}), ::testing::ExitedWithCode(255),
                "无法找到指定DLL库文件“user32.dll”中的输出命令“Nowhere”");
    EXPECT_EXIT(m_table.call(2, {1}), ::testing::ExitedWithCode(255), "错误代码：6");
    unsetenv("LC_ALL");
}

}  // namespace
}  // namespace vel
