#pragma once
// One unit of a window, named by its window and unit identifiers: the door
// through which the program reads and writes its units' numbered properties
// as typed values, and the first argument it hands to unit methods. Text and
// byte-set results are copied out or owned, so no caller sees a raw block.
#include <cstdint>
#include <string>
#include <string_view>

#include "forms/resource/form_resource.h"
#include "library/blocks.h"
#include "library/value.h"

namespace vel {

class LiveUnit;

struct UnitRef {
    WindowId window = 0;
    UnitId unit = 0;  // the window's own unit for the window itself
    TypeTag tag = TAG_NONE;

    // The record a unit method takes as its first argument.
    ArgRecord arg() const { return arg_unit(window, unit, tag); }
    bool window_loaded() const;
    LiveUnit* live() const;  // null when the window or the unit's object is not there

    std::int32_t get_int(int number) const;
    bool get_flag(int number) const;
    std::string get_text(int number) const;
    Bytes get_bytes(int number) const;  // null when empty

    void set_int(int number, std::int32_t value) const;
    void set_flag(int number, bool value) const;
    void set_text(int number, std::string_view text) const;
    void set_bytes(int number, const std::uint8_t* byteset) const;  // null: empty
};

}  // namespace vel
