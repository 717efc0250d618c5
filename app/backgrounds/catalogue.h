#pragma once
// The background catalogue in menu order: the two items of "我的背景", the
// twelve colours and the 52 pictures. A picture entry's caption is read from
// its menu item, so the form description alone names the pictures.
#include <array>
#include <cstdint>

#include "forms/resource/form_resource.h"

namespace vel::backgrounds {

// "我的背景": its two items share the stored value "我的背景".
inline constexpr UnitId kUseMine = 0x2601001E;                            // 使用
inline constexpr UnitId kChangeMine = 0x2601001F;                         // 更换
inline constexpr char kMineValue[] = "\xCE\xD2\xB5\xC4\xB1\xB3\xBE\xB0";  // 我的背景

struct ColourEntry {
    UnitId item;
    std::uint32_t colour;  // 0x00BBGGRR
};

inline constexpr std::array<ColourEntry, 12> kColours = {{
    {0x26010021, 0x000000},  // 黑色
    {0x26010022, 0xFFFFFF},  // 白色
    {0x26010023, 0x0000FF},  // 红色
    {0x26010024, 0x00FF00},  // 绿色
    {0x26010025, 0xFF0000},  // 蓝色
    {0x26010026, 0xFF0090},  // 紫色
    {0x26010027, 0x00FFFF},  // 黄色
    {0x26010028, 0x0080FF},  // 橙黄
    {0x26010029, 0xFFFF00},  // 艳青
    {0x2601002A, 0xFFA8FF},  // 粉红
    {0x2601002B, 0x000080},  // 红褐
    {0x2601002C, 0xECECEC},  // 银白
}};

// The picture items follow one another in the menu, each group's heading
// item between them: 12 animals, 4 seasons, 23 sights, 13 performers.
inline constexpr int kPictureCount = 52;
inline constexpr std::array<UnitId, kPictureCount> kPictures = [] {
    std::array<UnitId, kPictureCount> ids{};
    UnitId id = 0x2601002E;
    for (int i = 0; i < kPictureCount; ++i) {
        if (i == 12 || i == 16 || i == 39) ++id;  // skip 四季美景, 风景名胜, 影视明星
        ids[static_cast<std::size_t>(i)] = id++;
    }
    return ids;
}();

// The longest stored value: five Chinese characters.
inline constexpr int kStoredBytes = 10;

}  // namespace vel::backgrounds
