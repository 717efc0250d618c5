// Units that never show: the timer and the common dialog.
#include "forms/runtime/form_runtime.h"
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
        return property == 0 ? RawValue{m_interval, {}} : RawValue{};
    }
    bool set(int property, const RawValue& v) override {
        if (property == 0) start(static_cast<std::uint32_t>(std::max<std::int64_t>(0, v.number)));
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

// Common dialog indexes: 0 type, 1 title, 2 file name, 3 filter, 4 filter
// index, 5 initial directory, 6 default extension.
class DialogUnit : public LiveUnit {
public:
    explicit DialogUnit(const CommonDlgProperties& p) {
        m_values[0].number = p.dialogType();
        m_values[1].bytes = p.title;
        m_values[2].bytes = p.fileName;
        m_values[3].bytes = p.filter;
        m_values[4].number = p.filterIndex();
        m_values[5].bytes = p.initialDirectory;
        m_values[6].bytes = p.defaultExtension;
    }
    RawValue get(int property) override {
        return property >= 0 && property < kCount ? m_values[property] : RawValue{};
    }
    bool set(int property, const RawValue& v) override {
        if (property >= 0 && property < kCount) m_values[property] = v;
        return false;
    }
    plat::FileDialogOptions options() const {
        plat::FileDialogOptions o;
        o.save = m_values[0].number == 1;
        o.title = m_values[1].bytes;
        o.file_name = m_values[2].bytes;
        o.filter = m_values[3].bytes;
        if (o.filter.size() < 2 || o.filter.compare(o.filter.size() - 2, 2, "||") != 0)
            o.filter += "||";
        o.filter_index = static_cast<int>(m_values[4].number);
        o.directory = m_values[5].bytes;
        o.default_extension = m_values[6].bytes;
        return o;
    }
    void chosen(std::string path) { m_values[2].bytes = std::move(path); }

private:
    static constexpr int kCount = 7;
    RawValue m_values[kCount];
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
    if (dialog->get(0).number > 1) return false;  // font and help dialogs: not offered
    std::optional<std::string> path = plat::run_file_dialog(o);
    if (!path) return false;
    dialog->chosen(std::move(*path));
    return true;
}

}  // namespace vel
