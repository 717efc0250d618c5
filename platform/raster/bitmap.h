#pragma once
// A 32-bit pixel buffer and the colour conventions of the raster.
//
// Colours at the API are 0x00BBGGRR values (red in the low byte), the form
// runtime's convention. In memory each pixel is one std::uint32_t laid out as
// 0x00RRGGBB (blue in the low byte), rows top-down, `width()` pixels per row
// with no padding: the layout of a 24-bit X11 ZPixmap and of Qt's RGB32, so a
// finished buffer is presented without conversion. The top byte is always 0.
#include <cstdint>
#include <memory>
#include <new>
#include <utility>
#include <vector>

namespace plat::raster {

using Colour = std::uint32_t;  // 0x00BBGGRR

// Stands for "no colour" where a colour is optional (transparent background).
inline constexpr Colour kNoColour = 0xFF000000;

// 0x00BBGGRR <-> 0x00RRGGBB: the same swap of the outer bytes both ways.
constexpr std::uint32_t to_pixel(Colour c) {
    return ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}
constexpr Colour to_colour(std::uint32_t pixel) {
    return to_pixel(pixel);
}

// Leaves out the value-initialisation that resize() would do: a bitmap whose
// every pixel is about to be written need not be cleared first.
template <typename T>
struct NoInitAllocator : std::allocator<T> {
    template <typename U>
    struct rebind {
        using other = NoInitAllocator<U>;
    };
    NoInitAllocator() = default;
    template <typename U>
    NoInitAllocator(const NoInitAllocator<U>&) noexcept {}
    template <typename U>
    void construct(U* p) noexcept {
        ::new (static_cast<void*>(p)) U;
    }
    template <typename U, typename... Args>
    void construct(U* p, Args&&... args) {
        ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
    }
};

// Asks for a bitmap whose pixels are left unset.
struct Unfilled {};
inline constexpr Unfilled kUnfilled{};

struct Rect {
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;
};

class Bitmap {
public:
    static constexpr int kMaxSide = 32767;
    static constexpr std::int64_t kMaxPixels = std::int64_t{1} << 26;

    Bitmap() = default;
    // A bitmap of w x h pixels of `fill`. Sizes below 1, above kMaxSide or
    // over kMaxPixels in all give an empty bitmap (checked before allocating).
    Bitmap(int w, int h, Colour fill = 0);
    // The same checks, but the pixels hold whatever the memory held: only for
    // a caller that writes every pixel before the bitmap is read.
    Bitmap(int w, int h, Unfilled);

    static bool size_ok(std::int64_t w, std::int64_t h) {
        return w >= 1 && h >= 1 && w <= kMaxSide && h <= kMaxSide && w * h <= kMaxPixels;
    }

    bool empty() const { return m_pixels.empty(); }
    int width() const { return m_width; }
    int height() const { return m_height; }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < m_width && y < m_height; }

    // Colour of a pixel; 0 outside the bitmap.
    Colour pixel(int x, int y) const;
    // Sets one pixel; outside the bitmap nothing happens.
    void set_pixel(int x, int y, Colour c);
    void fill(Colour c);

    // Raw rows in the in-memory layout described above.
    std::uint32_t* row(int y) { return m_pixels.data() + static_cast<std::size_t>(y) * m_width; }
    const std::uint32_t* row(int y) const {
        return m_pixels.data() + static_cast<std::size_t>(y) * m_width;
    }
    std::uint32_t* data() { return m_pixels.data(); }
    const std::uint32_t* data() const { return m_pixels.data(); }
    int stride_bytes() const { return m_width * 4; }

private:
    int m_width = 0;
    int m_height = 0;
    std::vector<std::uint32_t, NoInitAllocator<std::uint32_t>> m_pixels;
};

// The part of `r` inside the bitmap (w or h 0 when nothing is left).
Rect clip_to(const Bitmap& bitmap, Rect r);

}  // namespace plat::raster
