#pragma once
// Raster operations: how a drawn colour combines with what is already there.
// All values here are in the in-memory pixel layout (0x00RRGGBB); the
// operations are bitwise, so the channel order does not matter to them.
#include <cstdint>

namespace plat::raster {

// Mix modes 1 ... 16 of pens and brushes. Mode m is a truth table: bit
// (2 * pen_bit + destination_bit) of (m - 1) is the result bit.
enum MixMode : int {
    kMixBlack = 1,
    kMixNotMergePen = 2,
    kMixMaskNotPen = 3,
    kMixNotCopyPen = 4,
    kMixMaskPenNot = 5,
    kMixNot = 6,
    kMixXorPen = 7,
    kMixNotMaskPen = 8,
    kMixMaskPen = 9,
    kMixNotXorPen = 10,
    kMixNop = 11,
    kMixMergeNotPen = 12,
    kMixCopyPen = 13,
    kMixMergePenNot = 14,
    kMixMergePen = 15,
    kMixWhite = 16,
};

// Modes outside 1 ... 16 draw as plain copy.
inline int normalized_mix(int mode) {
    return mode >= 1 && mode <= 16 ? mode : kMixCopyPen;
}

inline std::uint32_t apply_mix(int mode, std::uint32_t pen, std::uint32_t dst) {
    const unsigned table = static_cast<unsigned>(mode - 1) & 15u;
    // Each set bit of the table contributes the minterm it stands for.
    std::uint32_t r = 0;
    if (table & 1u) r |= ~pen & ~dst;
    if (table & 2u) r |= ~pen & dst;
    if (table & 4u) r |= pen & ~dst;
    if (table & 8u) r |= pen & dst;
    return r & 0x00FFFFFFu;
}

// Copy modes of block transfers: 1 plain copy, 2 inverted copy, 3
// exclusive-or, 4 or, 5 and. Any other value copies plainly.
enum class CopyMode : int { copy = 1, inverted = 2, exclusive_or = 3, bit_or = 4, bit_and = 5 };

inline std::uint32_t apply_copy(CopyMode mode, std::uint32_t src, std::uint32_t dst) {
    switch (mode) {
        case CopyMode::inverted:
            return ~src & 0x00FFFFFFu;
        case CopyMode::exclusive_or:
            return (src ^ dst) & 0x00FFFFFFu;
        case CopyMode::bit_or:
            return (src | dst) & 0x00FFFFFFu;
        case CopyMode::bit_and:
            return src & dst & 0x00FFFFFFu;
        case CopyMode::copy:
            break;
    }
    return src & 0x00FFFFFFu;
}

// A copy mode from the drawing panel's 1 ... 5; anything else is plain copy.
inline CopyMode copy_mode_from(int value) {
    return value >= 1 && value <= 5 ? static_cast<CopyMode>(value) : CopyMode::copy;
}

}  // namespace plat::raster
