// Units that never show: the timer and the common dialog.
#include "forms/runtime/form_runtime.h"
#include "forms/runtime/property_numbers.h"
#include "forms/units/unit_factories.h"

namespace vel {
namespace {

class TimerUnit : public LiveUnit {
public:
    TimerUnit(FormRuntime* rt, WindowId window, UnitId unit, std::uint32_t interval)
        : m_runtime(rt), m_window(window), m_unit(unit) {
        start(interval);
    }
    ~TimerUnit() override { plat::stop_timer(m_timer); }
    TimerUnit(const TimerUnit&) = delete;
    TimerUnit& operator=(const TimerUnit&) = delete;

    RawValue get(int property) override {
        return property == prop::kTimerInterval ? RawValue{m_interval, {}} : RawValue{};
    }
    bool set(int property, const RawValue& v) override {
        if (property == prop::kTimerInterval)
            start(static_cast<std::uint32_t>(std::max<std::int64_t>(0, v.number)));
        return false;
    }

private:
    void start(std::uint32_t interval) {
        plat::stop_timer(m_timer);
        m_timer = 0;
        m_interval = interval;
        if (interval == 0) return;
        // Only identifiers are captured: the tick may destroy this unit.
        FormRuntime* rt = m_runtime;
        WindowId window = m_window;
        UnitId unit = m_unit;
        m_timer = plat::start_timer(static_cast<int>(std::min<std::uint32_t>(interval, 0x7FFFFFFF)),
                                    [rt, window, unit] {
                                        EventRecord r;
                                        r.window = window;
                                        r.unit = unit;
                                        r.event = 0;
                                        rt->raise_event(r);
                                    });
    }

    FormRuntime* m_runtime;
    WindowId m_window;
    UnitId m_unit;
    std::uint32_t m_interval = 0;
    plat::TimerId m_timer = 0;
};

// The dialog keeps its seven properties (type through default extension);
// others read as zero and their writes are dropped.
class DialogUnit : public LiveUnit {
public:
    explicit DialogUnit(const CommonDlgProperties& p) {
        at(prop::kDialogType).number = p.dialogType();
        at(prop::kDialogTitle).bytes = p.title;
        at(prop::kDialogFileName).bytes = p.fileName;
        at(prop::kDialogFilter).bytes = p.filter;
        at(prop::kDialogFilterIndex).number = p.filterIndex();
        at(prop::kDialogInitialDirectory).bytes = p.initialDirectory;
        at(prop::kDialogDefaultExtension).bytes = p.defaultExtension;
    }
    RawValue get(int property) override { return kept(property) ? at(property) : RawValue{}; }
    bool set(int property, const RawValue& v) override {
        if (kept(property)) at(property) = v;
        return false;
    }
    plat::FileDialogOptions options() const {
        plat::FileDialogOptions o;
        o.save = at(prop::kDialogType).number == 1;
        o.title = at(prop::kDialogTitle).bytes;
        o.file_name = at(prop::kDialogFileName).bytes;
        o.filter = at(prop::kDialogFilter).bytes;
        if (o.filter.size() < 2 || o.filter.compare(o.filter.size() - 2, 2, "||") != 0)
            o.filter += "||";
        o.filter_index = static_cast<int>(at(prop::kDialogFilterIndex).number);
        o.directory = at(prop::kDialogInitialDirectory).bytes;
        o.default_extension = at(prop::kDialogDefaultExtension).bytes;
        return o;
    }
    void chosen(std::string path) { at(prop::kDialogFileName).bytes = std::move(path); }

private:
    static bool kept(int property) {
        return property >= prop::kDialogType && property <= prop::kDialogDefaultExtension;
    }
    RawValue& at(int property) { return m_values[property - prop::kDialogType]; }
    const RawValue& at(int property) const { return m_values[property - prop::kDialogType]; }
    RawValue m_values[prop::kDialogDefaultExtension - prop::kDialogType + 1];
};

}  // namespace

std::unique_ptr<LiveUnit> create_timer(const UnitCreation& c) {
    const auto* p = std::get_if<TimerProperties>(&c.entry->properties);
    return std::make_unique<TimerUnit>(c.runtime, c.window, c.entry->id, p ? p->interval : 0);
}

std::unique_ptr<LiveUnit> create_common_dialog(const UnitCreation& c) {
    const auto* p = std::get_if<CommonDlgProperties>(&c.entry->properties);
    CommonDlgProperties defaults;
    return std::make_unique<DialogUnit>(p ? *p : defaults);
}

bool run_common_dialog(LiveUnit* unit) {
    auto* dialog = dynamic_cast<DialogUnit*>(unit);
    if (!dialog) return false;
    plat::FileDialogOptions o = dialog->options();
    if (dialog->get(prop::kDialogType).number > 1)
        return false;  // font and help dialogs: not offered
    std::optional<std::string> path = plat::run_file_dialog(o);
    if (!path) return false;
    dialog->chosen(std::move(*path));
    return true;
}

}  // namespace vel
