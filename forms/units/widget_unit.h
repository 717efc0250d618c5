#pragma once
// Shared parts of the unit types: a unit that owns a platform widget, and a
// store for type properties the unit only keeps (read back as written).
#include <map>

#include "forms/units/live_unit.h"

namespace vel {

class WidgetUnit : public LiveUnit {
public:
    explicit WidgetUnit(plat::Widget* widget) : m_widget(widget) {}
    ~WidgetUnit() override;
    WidgetUnit(const WidgetUnit&) = delete;
    WidgetUnit& operator=(const WidgetUnit&) = delete;
    plat::Widget* widget() const override { return m_widget; }

protected:
    // Kept values of type properties (numbered from 0) without live effect.
    RawValue stored(int property) const;
    void store(int property, RawValue value) { m_stored[property] = std::move(value); }
    void store(int property, std::int64_t number) { m_stored[property] = RawValue{number, {}}; }
    void store(int property, std::string bytes) {
        m_stored[property] = RawValue{0, std::move(bytes)};
    }

    plat::Widget* m_widget;

private:
    std::map<int, RawValue> m_stored;
};

// The geometry, visibility, enabled state and cursor of a new control.
void place_control(plat::Widget* w, const UnitEntry& entry);
inline std::string as_string(const ResourceBytes& b) {
    return std::string(b.begin(), b.end());
}

}  // namespace vel
