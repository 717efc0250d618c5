#pragma once
// Test pictures from tests/data/pictures and their reference images (PPM).
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "forms/pictures/picture.h"

namespace picture_test {

using Bytes = std::vector<std::uint8_t>;

inline std::string data_path(const std::string& name) {
    const char* root = std::getenv("VEL_TEST_DATA");
    return std::string(root && *root ? root : VEL_TEST_DATA_DIR) + "/pictures/" + name;
}

inline Bytes read_file(const std::string& name) {
    std::ifstream in(data_path(name), std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

struct Rgb {
    int w = 0, h = 0;
    Bytes rgb;  // 3 bytes a pixel, rows top-down
};

// Binary PPM (P6, maxval 255) as written by Pillow: no comments.
inline Rgb read_ppm(const std::string& name) {
    std::ifstream in(data_path(name), std::ios::binary);
    std::string magic;
    int maxval = 0;
    Rgb out;
    in >> magic >> out.w >> out.h >> maxval;
    in.get();
    out.rgb.resize(static_cast<std::size_t>(out.w) * out.h * 3);
    in.read(reinterpret_cast<char*>(out.rgb.data()), static_cast<std::streamsize>(out.rgb.size()));
    if (magic != "P6" || maxval != 255 || !in) out = Rgb{};
    return out;
}

// Largest channel difference between a decoded picture and a reference.
inline int max_difference(const vel::Picture& p, const Rgb& ref) {
    if (p.width() != ref.w || p.height() != ref.h || ref.w == 0) return 1000;
    int worst = 0;
    for (int y = 0; y < ref.h; ++y)
        for (int x = 0; x < ref.w; ++x) {
            const std::uint32_t c = p.image.pixel(x, y);  // 0x00BBGGRR
            const std::uint8_t* r = &ref.rgb[(static_cast<std::size_t>(y) * ref.w + x) * 3];
            const int got[3] = {int(c & 0xFF), int(c >> 8 & 0xFF), int(c >> 16 & 0xFF)};
            for (int k = 0; k < 3; ++k) worst = std::max(worst, std::abs(got[k] - r[k]));
        }
    return worst;
}

}  // namespace picture_test
