#pragma once
// The background catalogue in menu order: the two items of "我的背景", the
// twelve colours and the 52 pictures. A picture entry's caption is read from
// its menu item, so the form description alone names the pictures.
#include <array>
#include <cstdint>

#include "forms/resource/form_resource.h"
#include "resources/form_ids.h"

namespace vel::backgrounds {

// "我的背景": its two items share the stored value "我的背景".
inline constexpr char kMineValue[] = "\xCE\xD2\xB5\xC4\xB1\xB3\xBE\xB0";  // 我的背景

struct ColourEntry {
    UnitId item;
    std::uint32_t colour;  // 0x00BBGGRR
};

inline constexpr std::array<ColourEntry, 12> kColours = {{
    {ui::clock::黑色, 0x000000},
    {ui::clock::白色, 0xFFFFFF},
    {ui::clock::红色, 0x0000FF},
    {ui::clock::绿色, 0x00FF00},
    {ui::clock::蓝色, 0xFF0000},
    {ui::clock::紫色, 0xFF0090},
    {ui::clock::黄色, 0x00FFFF},
    {ui::clock::橙黄, 0x0080FF},
    {ui::clock::艳青, 0xFFFF00},
    {ui::clock::粉红, 0xFFA8FF},
    {ui::clock::红褐, 0x000080},
    {ui::clock::银白, 0xECECEC},
}};

// The pictures, in menu order: 12 animals, 4 seasons, 23 sights, 13 performers.
inline constexpr int kPictureCount = static_cast<int>(ui::clock::pictures.size());

// The longest stored value: five Chinese characters.
inline constexpr int kStoredBytes = 10;

}  // namespace vel::backgrounds
