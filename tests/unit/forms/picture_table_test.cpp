// The load picture and unload picture commands and the table behind them.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <set>
#include <vector>

#include "forms/pictures/picture_table.h"
#include "library/blocks.h"
#include "library/call.h"
#include "library/memory.h"
#include "picture_test_util.h"

namespace {

using namespace picture_test;
using namespace vel;

struct Loaded {
    int number = 0;
    ~Loaded() { picture_table().remove(number); }
};

vel::Bytes byteset_of(const picture_test::Bytes& data) {
    return vel::Bytes(make_byteset(data));  // owner of the block
}

int load(ArgRecord arg) {
    return call(cmd_load_picture, arg).as_int();
}

TEST(PictureCommands, LoadGivesNewNumbersAndUnloadForgetsThem) {
    const auto gif = byteset_of(read_file("plain87.gif"));
    Loaded a{load(arg_byteset(gif.get()))}, b{load(arg_byteset(gif.get()))};
    ASSERT_NE(a.number, 0);
    ASSERT_NE(b.number, 0);
    EXPECT_NE(a.number, b.number);
    const Picture* p = picture_table().find(a.number);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->width(), 13);

    call(cmd_unload_picture, arg_int(a.number));
    EXPECT_EQ(picture_table().find(a.number), nullptr);
    const std::size_t left = picture_table().size();
    call(cmd_unload_picture, arg_int(a.number));  // a second unload does nothing
    call(cmd_unload_picture, arg_int(0));
    call(cmd_unload_picture, arg_int(-7));
    EXPECT_EQ(picture_table().size(), left);
    EXPECT_NE(picture_table().find(b.number), nullptr);
}

// Constant blocks decode once; every number loaded from one shows the same
// picture, and unloading one number leaves the others whole.
TEST(PictureCommands, ConstantBlocksShareOneDecodedPicture) {
    const auto data = read_file("plain87.gif");
    // A block that lives as long as its registered range.
    const auto block = byteset_of(data);
    static std::vector<std::uint8_t> constant;
    constant.assign(block.get(), block.get() + 8 + data.size());
    register_static_range(constant.data(), constant.data() + constant.size());

    Loaded a{load(arg_byteset(constant.data()))}, b{load(arg_byteset(constant.data()))};
    ASSERT_NE(a.number, 0);
    ASSERT_NE(b.number, 0);
    EXPECT_NE(a.number, b.number);
    const Picture* pa = picture_table().find(a.number);
    const Picture* pb = picture_table().find(b.number);
    ASSERT_NE(pa, nullptr);
    EXPECT_EQ(pa, pb);
    call(cmd_unload_picture, arg_int(a.number));
    ASSERT_NE(picture_table().find(b.number), nullptr);
    EXPECT_EQ(picture_table().find(b.number)->width(), 13);
    Loaded c{load(arg_byteset(constant.data()))};
    EXPECT_EQ(picture_table().find(c.number), pb);

    // A heap copy of the same bytes is a picture of its own.
    const auto heap = byteset_of(data);
    Loaded d{load(arg_byteset(heap.get()))};
    ASSERT_NE(picture_table().find(d.number), nullptr);
    EXPECT_NE(picture_table().find(d.number), pb);
}

TEST(PictureCommands, WhatGivesZero) {
    const std::uint8_t five[] = {'G', 'I', 'F', '8', '9'};
    const auto short_set = vel::Bytes(make_byteset(five));
    EXPECT_EQ(load(arg_byteset(short_set.get())), 0);
    EXPECT_EQ(load(arg_byteset(nullptr)), 0);  // the empty byte set
    EXPECT_EQ(load(arg_text(nullptr)), 0);     // the empty text
    EXPECT_EQ(load(arg_int(5)), 0);
    EXPECT_EQ(call(cmd_load_picture).as_int(), 0);
    const std::string missing = data_path("no such picture.gif");
    EXPECT_EQ(load(arg_text(missing.c_str())), 0);
    EXPECT_EQ(picture_table().find(0), nullptr);
}

TEST(PictureCommands, LoadsAFileByName) {
    const std::string path = data_path("photo.jpg");
    Loaded p{load(arg_text(path.c_str()))};
    ASSERT_NE(p.number, 0);
    EXPECT_EQ(picture_table().find(p.number)->kind, PictureKind::jpeg);
    // Windows separators are accepted too.
    std::string windows = path;
    for (char& c : windows)
        if (c == '/') c = '\\';
    Loaded q{load(arg_text(windows.c_str()))};
    EXPECT_NE(q.number, 0);
}

TEST(PictureTable, NumbersAreNeverZeroNorReusedWhileLoaded) {
    PictureTable t;
    std::set<int> seen;
    for (int i = 0; i < 50; ++i) {
        const int n = t.add(Picture{});
        EXPECT_GT(n, 0);
        EXPECT_TRUE(seen.insert(n).second);
    }
    EXPECT_TRUE(t.remove(7));
    EXPECT_FALSE(t.remove(7));
    EXPECT_EQ(t.size(), 49u);
}

// Drawn keyed again and again, at its own size, stretched, with other keys
// and sizes between and beyond the largest kept: always the plain copy.
TEST(PictureTable, KeptDrawingsAreThePlainOnes) {
    using plat::raster::Bitmap;
    using plat::raster::Colour;
    constexpr Colour kWhite = 0xFFFFFF, kRed = 0x0000FF;
    PictureTable t;
    Picture p;
    p.image = Bitmap(6, 5, kRed);
    for (int i = 0; i < 5; ++i) p.image.set_pixel(i, i, kWhite);
    p.image.set_pixel(5, 0, 0x00336699);
    const Picture& pic = *t.find(t.add(std::move(p)));
    struct Way {
        int w, h;
        Colour key;
    };
    const Way ways[] = {{6, 5, kWhite},     {6, 5, kWhite},     {6, 5, kWhite},    {6, 5, kRed},
                        {6, 5, kWhite},     {6, 5, kRed},       {6, 5, kRed},      {6, 5, kWhite},
                        {9, 7, kWhite},     {9, 7, kWhite},     {9, 7, kRed},      {9, 7, kRed},
                        {12, 3, kWhite},    {12, 3, kWhite},    {9, 7, kWhite},    {9, 7, kRed},
                        {300, 300, kWhite}, {300, 300, kWhite}, {300, 300, kWhite}};
    for (std::size_t i = 0; i < std::size(ways); ++i) {
        const Way& way = ways[i];
        Bitmap got(304, 303, 0x00102030), want = got;
        t.draw_keyed(got, pic, {2, 1, way.w, way.h}, way.key);
        plat::raster::transparent_blit(want, {2, 1, way.w, way.h}, pic.image, {0, 0, 6, 5}, way.key,
                                       way.w == 6 && way.h == 5 ? plat::raster::Stretch::nearest
                                                                : plat::raster::Stretch::smooth);
        EXPECT_TRUE(std::equal(got.data(), got.data() + 304 * 303, want.data())) << "drawing " << i;
    }
}

}  // namespace
