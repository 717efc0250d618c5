#include "forms/runtime/unit_ref.h"

#include "forms/runtime/form_runtime.h"

namespace vel {
namespace {

Value read(const UnitRef& r, int number) {
    return FormRuntime::instance().get_property(r.window, r.unit, number);
}

void write(const UnitRef& r, int number, std::uint64_t payload, TypeTag tag) {
    FormRuntime::instance().set_property(r.window, r.unit, number, -1, Value{payload, tag});
}

template <typename T>
T* block_of(const Value& v) {
    return reinterpret_cast<T*>(static_cast<std::uintptr_t>(v.payload));
}

}  // namespace

bool UnitRef::window_loaded() const {
    return FormRuntime::instance().window_exists(window);
}

LiveUnit* UnitRef::live() const {
    return FormRuntime::instance().live_unit(window, unit);
}

// Integers and logicals fill the payload's low word only.
std::int32_t UnitRef::get_int(int number) const {
    return static_cast<std::int32_t>(read(*this, number).payload);
}

bool UnitRef::get_flag(int number) const {
    return get_int(number) != 0;
}

std::string UnitRef::get_text(int number) const {
    return std::string(view(Text(block_of<char>(read(*this, number)))));
}

Bytes UnitRef::get_bytes(int number) const {
    return Bytes(block_of<std::uint8_t>(read(*this, number)));
}

void UnitRef::set_int(int number, std::int32_t value) const {
    write(*this, number, static_cast<std::uint32_t>(value), TAG_INT);
}

void UnitRef::set_flag(int number, bool value) const {
    write(*this, number, value ? 1u : 0u, TAG_LOGICAL);
}

void UnitRef::set_text(int number, std::string_view text) const {
    const std::string terminated(text);  // the runtime reads up to the zero
    write(*this, number, reinterpret_cast<std::uintptr_t>(terminated.c_str()), TAG_TEXT);
}

void UnitRef::set_bytes(int number, const std::uint8_t* byteset) const {
    write(*this, number, reinterpret_cast<std::uintptr_t>(byteset), TAG_BYTESET);
}

}  // namespace vel
