#pragma once
// The live object of a unit while its window exists. Each unit type makes
// its own (forms/units/*); the runtime talks to them only through this.
#include <cstdint>
#include <memory>
#include <string>

#include "forms/resource/form_resource.h"
#include "platform/window_system.h"

namespace vel {

class Background;
class FormRuntime;

// A type property's raw form: integers, logicals (0/1), picks and colours in
// `number`; texts and data in `bytes` (GBK / raw bytes).
struct RawValue {
    std::int64_t number = 0;
    std::string bytes;
};

// What a unit's create operation receives.
struct UnitCreation {
    FormRuntime* runtime = nullptr;
    WindowId window = 0;
    const UnitEntry* entry = nullptr;  // its description (property block included)
    plat::Widget* parent = nullptr;    // the window's widget for controls
    int controlNumber = 0;             // 100, 110, 120 ...
    bool startWindow = false;
};

class LiveUnit {
public:
    virtual ~LiveUnit() = default;
    // The platform widget, or null for units that never show (timer, dialog).
    virtual plat::Widget* widget() const { return nullptr; }
    // A type's own properties, by the runtime's number (property_numbers.h).
    virtual RawValue get(int property) = 0;
    // Answers true when the unit must be rebuilt from its updated entry.
    virtual bool set(int property, const RawValue& value) = 0;
    // Called once every unit of the window exists (creation-complete).
    virtual void created() {}
    // The unit's widget has a new size.
    virtual void resized() {}
    // The platform has repainted `area` of the widget; true when the unit
    // keeps its own image there (no paint event for the logic).
    virtual bool painted(plat::Rect) { return false; }
    // The background a window or drawing panel paints; null for other units.
    virtual const Background* background() const { return nullptr; }
};

using UnitFactory = std::unique_ptr<LiveUnit> (*)(const UnitCreation& creation);

}  // namespace vel
