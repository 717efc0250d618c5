#pragma once
// The unit types of the core library: names, state flags, property value
// kinds and the operations the runtime obtains from each type.
#include <cstdint>
#include <span>
#include <string_view>

#include "forms/units/live_unit.h"
#include "library/value.h"

namespace vel {

// Value kinds of property descriptors.
enum PropertyKind : int {
    kKindInt = 1001,
    kKindLogical = 1003,
    kKindText = 1005,
    kKindPick = 1006,
    kKindPicture = 1009,
    kKindIcon = 1010,
    kKindPointer = 1011,
    kKindSound = 1012,
    kKindFont = 1013,
    kKindColour = 1014,
    kKindColourOrDefault = 1015,
    kKindColourOrTransparent = 1017,
    kKindFileName = 1016,
    kKindTextList = 1024,
};
// The TypeTag a value of this kind travels with.
TypeTag kind_tag(int kind);

// State flags.
inline constexpr std::uint32_t kTypeNeverShown = 0x8000;
inline constexpr std::uint32_t kTypeDragsWindow = 0x04000000;

struct UnitTypeInfo {
    TypeTag tag = 0;
    std::string_view name;     // GBK
    std::string_view english;  // `window`, `menu`, `EditBox` ...
    std::string_view explanation;
    std::uint32_t flags = 0;
    std::span<const int> properties;  // value kind of each property, from 0
    // Operations by number: 1 create, 4 set a type property, 6 get one. Set
    // and get are the created unit's own (LiveUnit::set / get).
    UnitFactory create = nullptr;
    bool raisesEvents = true;
};

// The type of `tag`; null for a tag the core library does not have.
const UnitTypeInfo* find_unit_type(TypeTag tag);
// The value kind of property `number` of a type; 0 when out of range.
int property_kind(TypeTag tag, int number);

}  // namespace vel
