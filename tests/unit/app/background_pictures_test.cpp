// The background pictures supplied in resources/image/: one for every picture
// item of the clock's menu, named after the item's caption, and each one a
// picture the clock can show under its face; beside each its partner at twice
// the size, NAME@2x.jpg.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "app/handlers/handler_names.h"
#include "forms/pictures/picture.h"
#include "forms/resource/form_resource.h"
#include "platform/text/gbk.h"
#include "resources/embedded.h"

#ifndef VEL_IMAGE_DIR
#error "VEL_IMAGE_DIR names the source folder of the supplied pictures"
#endif

namespace vel {
namespace {

namespace fs = std::filesystem;

constexpr int kSide = 288;
constexpr std::size_t kMaxFileBytes = 30 * 1024;
constexpr std::size_t kMaxTotalBytes = 1600 * 1024;
// Every picture shipped, the twice-size ones and the embedded media included.
constexpr std::size_t kMaxShippedBytes = 4 * 1024 * 1024;

// The captions (UTF-8) of the menu items whose click loads a picture file, in
// menu order, read from the form the program carries.
std::vector<std::string> picture_captions() {
    std::vector<std::string> out;
    FormReadResult r = read_form_resource(embedded_bytes("forms.bin"));
    if (!r.ok()) {
        ADD_FAILURE() << "forms.bin: " << r.error;
        return out;
    }
    for (const WindowEntry& w : r.resource->windows)
        for (const UnitEntry& u : w.units) {
            if (!u.is_menu_item() || u.onClick < 0 || u.onClick >= kHandlerCount) continue;
            if (!kHandlerNames[static_cast<std::size_t>(u.onClick)].starts_with("menu_picture_"))
                continue;
            auto utf8 = plat::gbk_to_utf8(u.caption);
            if (!utf8) {
                ADD_FAILURE() << "a picture item's caption is not GBK";
                continue;
            }
            out.push_back(*utf8);
        }
    return out;
}

std::vector<std::uint8_t> read_all(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The start-of-frame marker of a JPEG: 0xC0 for baseline, 0xC2 progressive
// and so on; 0 when the markers before the first scan name no frame.
int frame_marker(const std::vector<std::uint8_t>& d) {
    if (d.size() < 4 || d[0] != 0xFF || d[1] != 0xD8) return 0;
    std::size_t at = 2;
    while (at + 4 <= d.size()) {
        if (d[at] != 0xFF) return 0;
        int m = d[at + 1];
        if (m == 0xFF) {  // fill byte
            ++at;
            continue;
        }
        if (m >= 0xC0 && m <= 0xCF && m != 0xC4 && m != 0xC8 && m != 0xCC) return m;
        if (m == 0xDA) return 0;  // a scan before any frame
        at += 2 + (static_cast<std::size_t>(d[at + 2]) << 8 | d[at + 3]);
    }
    return 0;
}

class BackgroundPictures : public testing::Test {
protected:
    static void SetUpTestSuite() {
        s_captions = new std::vector<std::string>(picture_captions());
        s_files = new std::map<std::string, std::vector<std::uint8_t>>();
        for (const std::string& c : *s_captions)
            for (const std::string& name : {c, c + "@2x"})
                (*s_files)[name] = read_all(fs::path(VEL_IMAGE_DIR) / (name + ".jpg"));
    }
    static void TearDownTestSuite() {
        delete s_captions;
        delete s_files;
    }
    // Calls `check` with each picture decoded, once it is of the face's size.
    template <class Check>
    static void for_each_image(Check check) {
        for (const std::string& caption : *s_captions) {
            SCOPED_TRACE(caption);
            DecodeResult decoded = decode_picture(s_files->at(caption));
            ASSERT_TRUE(decoded) << decoded.reason;
            ASSERT_EQ(decoded.picture->image.width(), kSide);
            check(caption, decoded.picture->image);
        }
    }
    static std::vector<std::string>* s_captions;
    static std::map<std::string, std::vector<std::uint8_t>>* s_files;
};
std::vector<std::string>* BackgroundPictures::s_captions = nullptr;
std::map<std::string, std::vector<std::uint8_t>>* BackgroundPictures::s_files = nullptr;

TEST_F(BackgroundPictures, TheFolderHoldsOneJpegPerPictureItemAndNoOther) {
    // 12 animals, 4 seasons, 23 sights and 13 performers, all different.
    ASSERT_EQ(s_captions->size(), 52u);
    std::set<std::string> expected;
    for (const std::string& c : *s_captions) expected.insert({c, c + "@2x"});
    EXPECT_EQ(expected.size(), 104u);

    std::set<std::string> present;
    for (const auto& entry : fs::directory_iterator(VEL_IMAGE_DIR))
        if (entry.path().extension() == ".jpg") present.insert(entry.path().stem().string());
    std::vector<std::string> missing, stray;
    std::set_difference(expected.begin(), expected.end(), present.begin(), present.end(),
                        std::back_inserter(missing));
    std::set_difference(present.begin(), present.end(), expected.begin(), expected.end(),
                        std::back_inserter(stray));
    EXPECT_TRUE(missing.empty()) << "no picture for " << testing::PrintToString(missing);
    // A file no item names (a misspelt caption, a stray space) is never shown.
    EXPECT_TRUE(stray.empty()) << "no item for " << testing::PrintToString(stray);
}

TEST_F(BackgroundPictures, EachIsABaselineJpegOfTheFaceSizeThatThePictureLoaderReads) {
    ASSERT_FALSE(s_captions->empty());
    for (const auto& [name, bytes] : *s_files) {
        SCOPED_TRACE(name);
        const int side = name.ends_with("@2x") ? 2 * kSide : kSide;
        ASSERT_FALSE(bytes.empty());
        EXPECT_EQ(frame_marker(bytes), 0xC0) << "not baseline";
        EXPECT_EQ(sniff_picture(bytes), PictureKind::jpeg);
        DecodeResult decoded = decode_picture(bytes);
        ASSERT_TRUE(decoded) << decoded.reason;
        EXPECT_EQ(decoded.picture->kind, PictureKind::jpeg);
        EXPECT_EQ(decoded.picture->width(), side);
        EXPECT_EQ(decoded.picture->height(), side);
    }
}

// Each partner is its picture drawn at twice the size (not another's, not
// shifted): averaged over 2 x 2 blocks it comes close to the picture.
TEST_F(BackgroundPictures, EachPartnerIsItsPictureAtTwiceTheSize) {
    for_each_image([&](const std::string& caption, const auto& one) {
        DecodeResult two = decode_picture(s_files->at(caption + "@2x"));
        ASSERT_TRUE(two && two.picture->width() == 2 * kSide);
        double difference = 0;
        for (int y = 0; y < kSide; ++y)
            for (int x = 0; x < kSide; ++x)
                for (int shift : {0, 8, 16}) {
                    int sum = 0;
                    for (int k = 0; k < 4; ++k)
                        sum +=
                            two.picture->image.pixel(2 * x + k % 2, 2 * y + k / 2) >> shift & 0xFF;
                    difference += std::abs(sum / 4.0 - (one.pixel(x, y) >> shift & 0xFF));
                }
        EXPECT_LT(difference / (3.0 * kSide * kSide), 6.0);
    });
}

TEST_F(BackgroundPictures, TheSetStaysSmall) {
    std::size_t total = 0, shipped = 0;
    for (const auto& [name, bytes] : *s_files) {
        const bool two = name.ends_with("@2x");
        EXPECT_LE(bytes.size(), two ? 4 * kMaxFileBytes : kMaxFileBytes) << name;
        total += two ? 0 : bytes.size();
        shipped += bytes.size();
    }
    EXPECT_LT(total, kMaxTotalBytes);
    for (const auto& entry : fs::directory_iterator(fs::path(VEL_IMAGE_DIR) / ".." / "media"))
        shipped += entry.file_size();
    EXPECT_LT(shipped, kMaxShippedBytes);
}

// What the eye needs under the hands: a picture, not a flat fill nor a copy of
// another; and a middle light enough for the dark hands turning over it.
TEST_F(BackgroundPictures, EachIsAPictureOfItsOwnWithALightMiddle) {
    std::map<std::vector<std::uint32_t>, std::string> seen;
    for_each_image([&](const std::string& caption, const auto& image) {
        std::vector<std::uint32_t> pixels;
        double sum = 0, sum_sq = 0, middle = 0;
        int middle_count = 0;
        for (int y = 0; y < kSide; ++y)
            for (int x = 0; x < kSide; ++x) {
                std::uint32_t c = image.pixel(x, y) & 0xFFFFFF;
                pixels.push_back(c);
                double luma =
                    0.299 * (c & 0xFF) + 0.587 * ((c >> 8) & 0xFF) + 0.114 * ((c >> 16) & 0xFF);
                sum += luma;
                sum_sq += luma * luma;
                int dx = x - kSide / 2, dy = y - kSide / 2;
                if (dx * dx + dy * dy <= 24 * 24) {
                    middle += luma;
                    ++middle_count;
                }
            }
        double n = static_cast<double>(pixels.size());
        double spread = std::sqrt(std::max(0.0, sum_sq / n - (sum / n) * (sum / n)));
        EXPECT_GT(spread, 12.0) << "hardly more than one colour";
        EXPECT_GT(middle / middle_count, 150.0) << "too dark where the hands turn";
        auto [it, fresh] = seen.emplace(std::move(pixels), caption);
        EXPECT_TRUE(fresh) << "the same picture as " << it->second;
    });
}

// The round window keeps the circle inscribed in the picture. Beyond it, where
// only the square shapes show the picture, there is no detail for the circle to
// cut into a stray fragment (a seal, a character, an edge of a card): from a
// few pixels past the rim, which leaves room for the fade and for the JPEG's
// blocks, no pixel steps from a neighbour by more than a blur can.
TEST_F(BackgroundPictures, NothingSharpLiesOutsideTheRoundWindow) {
    constexpr double kClear = kSide / 2.0 + 6;
    constexpr int kMaxStep = 24;
    auto outside = [&](int x, int y) {
        return std::hypot(x + 0.5 - kSide / 2.0, y + 0.5 - kSide / 2.0) >= kClear;
    };
    auto step = [](std::uint32_t a, std::uint32_t b) {
        int most = 0;
        for (int shift : {0, 8, 16})
            most = std::max(most, std::abs(static_cast<int>((a >> shift) & 0xFF) -
                                           static_cast<int>((b >> shift) & 0xFF)));
        return most;
    };
    for_each_image([&](const std::string&, const auto& image) {
        int sharp = 0;
        std::string first;
        for (int y = 0; y + 1 < kSide; ++y)
            for (int x = 0; x + 1 < kSide; ++x) {
                if (!outside(x, y)) continue;
                const std::uint32_t c = image.pixel(x, y);
                if (std::max(step(c, image.pixel(x + 1, y)), step(c, image.pixel(x, y + 1))) <=
                    kMaxStep)
                    continue;
                if (sharp++ == 0) first = std::to_string(x) + "," + std::to_string(y);
            }
        EXPECT_EQ(sharp, 0) << "pixels with a sharp step outside the circle, the first at "
                            << first;
    });
}

}  // namespace
}  // namespace vel
