#pragma once
// The clock window from the program's own form, in a temporary run directory
// with an empty settings folder and a picture folder, its menu items clicked
// as the pop-up menu clicks them. Message boxes and the file dialog are
// answered by script. The created and tick handlers do nothing here: the
// tests draw the face themselves when they want to see it.
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "app/backgrounds/backgrounds.h"
#include "app/backgrounds/catalogue.h"
#include "app/face/face_draw.h"
#include "app/handlers/handler_table.h"
#include "forms/appearance/draw_panel.h"
#include "forms/pictures/picture.h"
#include "forms/runtime/form_runtime.h"
#include "forms/runtime/property_numbers.h"
#include "library/blocks.h"
#include "platform/message_box.h"
#include "platform/text/gbk.h"
#include "platform/window_system.h"
#include "resources/embedded.h"
#include "resources/form_ids.h"
#include "settings_run_dir.h"

#ifndef VEL_IMAGE_DIR
#error "VEL_IMAGE_DIR names the source folder of the supplied pictures"
#endif

namespace vel::test {

namespace fs = std::filesystem;

inline std::string file_bytes(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void write_bytes(const fs::path& p, const std::string& bytes) {
    std::ofstream(p, std::ios::binary | std::ios::trunc) << bytes;
}

// A corner of the face, outside the dial: the background shows there.
// The decoded pixel of a picture file at (x, y).
inline plat::raster::Colour picture_pixel(const fs::path& p, int x, int y) {
    const std::string bytes = file_bytes(p);
    auto r = decode_picture(
        std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
    EXPECT_TRUE(r) << p << ": " << r.reason;
    return r ? r.picture->image.pixel(x, y) & 0xFFFFFF : 0;
}

inline constexpr int kCornerX = 3;
inline constexpr int kCornerY = 3;

// GBK captions used by the tests.
inline const std::string k红色 = "\xBA\xEC\xC9\xAB";
inline const std::string k白色 = "\xB0\xD7\xC9\xAB";
inline const std::string k鼠 = "\xCA\xF3";
inline const std::string k牛 = "\xC5\xA3";
inline const std::string k泰山 = "\xCC\xA9\xC9\xBD";
inline const std::string k珠穆朗玛峰 = "\xD6\xE9\xC4\xC2\xC0\xCA\xC2\xEA\xB7\xE5";
inline const std::string k我的背景 = "\xCE\xD2\xB5\xC4\xB1\xB3\xBE\xB0";
inline const std::string k使用 = "\xCA\xB9\xD3\xC3";
inline const std::string k错误 = "\xB4\xED\xCE\xF3";

inline HandlerResult nothing(std::span<const std::int32_t>) {
    return std::nullopt;
}

class BackgroundWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(plat::init_window_system());
        const auto real = clock_handler_table();
        std::copy(real.begin(), real.end(), m_table.begin());
        m_table[static_cast<std::size_t>(HandlerIndex::clock_created)] = nothing;
        m_table[static_cast<std::size_t>(HandlerIndex::clock_tick)] = nothing;
        ASSERT_NO_FATAL_FAILURE(start());
        fs::create_directories(image_folder());
        m_dir.write("background.vel", "");
        plat::set_message_box_responder([this](const plat::MessageBoxRequest& r) {
            boxes.push_back(r);
            on_top_during_box.push_back(on_top());
            return plat::kIdOk;
        });
    }
    void TearDown() override {
        plat::set_message_box_responder({});
        plat::set_file_dialog_responder({});
        rt().load({}, {});
        plat::process_pending_events();
    }

    static FormRuntime& rt() { return FormRuntime::instance(); }
    // A fresh clock window from the form, as at the program's start, with no
    // background item chosen yet.
    void start() {
        FormReadResult form = read_form_resource(embedded_bytes("forms.bin"));
        ASSERT_TRUE(form.ok()) << form.error;
        rt().load(std::move(*form.resource), m_table);
        ASSERT_TRUE(rt().load_window(ui::clock::kWindow, 0, false, true));
        backgrounds::set_current_item(0);
    }
    // "置于顶层" checked, and the clock on top as its toggle leaves it.
    static void keep_on_top() {
        rt().set_property(ui::clock::kWindow, ui::clock::置于顶层, prop::kMenuChecked, -1,
                          Value{1, TAG_LOGICAL});
        rt().set_property(ui::clock::kWindow, ui::clock::kWindowUnit, prop::kWindowAlwaysOnTop, -1,
                          Value{1, TAG_LOGICAL});
    }
    fs::path image_folder() const { return m_dir.root() / "image"; }
    const SettingsRunDir& dir() const { return m_dir; }

    // A supplied picture copied into the run directory's picture folder.
    void supply(const std::string& utf8_name) const {
        fs::copy_file(fs::path(VEL_IMAGE_DIR) / (utf8_name + ".jpg"),
                      image_folder() / (utf8_name + ".jpg"), fs::copy_options::overwrite_existing);
    }

    // The menu item with this GBK caption among the clock window's.
    static UnitId item(const std::string& caption) {
        const WindowEntry* w = find_window(rt().form(), ui::clock::kWindow);
        const int index = find_menu_item(*w, caption);
        EXPECT_GE(index, 0) << "no menu item " << caption;
        return index < 0 ? 0 : w->units[static_cast<std::size_t>(index)].id;
    }
    static void click(UnitId unit) {
        EventRecord r;
        r.window = ui::clock::kWindow;
        r.unit = unit;
        rt().raise_event(r);
    }
    static void click(const std::string& caption) { click(item(caption)); }

    // Every item of the background menu: the two of my background, the
    // colours and the pictures.
    static std::vector<UnitId> background_items() {
        std::vector<UnitId> out = {ui::clock::使用, ui::clock::更换};
        for (const auto& c : backgrounds::kColours) out.push_back(c.item);
        out.insert(out.end(), ui::clock::pictures.begin(), ui::clock::pictures.end());
        return out;
    }
    static bool checked(UnitId unit) {
        return (rt().get_property(ui::clock::kWindow, unit, prop::kMenuChecked).payload & 1) != 0;
    }
    static std::vector<UnitId> checked_items() {
        std::vector<UnitId> out;
        for (UnitId u : background_items())
            if (checked(u)) out.push_back(u);
        return out;
    }

    static std::string caption_of(UnitId unit) {
        const Text t(reinterpret_cast<char*>(
            rt().get_property(ui::clock::kWindow, unit, prop::kMenuCaption).payload));
        return std::string(view(t));
    }
    static std::string bytes_of(UnitId unit, int number) {
        const Value v = rt().get_property(ui::clock::kWindow, unit, number);
        Bytes block(reinterpret_cast<std::uint8_t*>(v.payload));
        auto span = byteset_span(block.get());
        return std::string(span.begin(), span.end());
    }
    static std::uint32_t int_of(UnitId unit, int number) {
        return static_cast<std::uint32_t>(
            rt().get_property(ui::clock::kWindow, unit, number).payload & 0xFFFFFFFFu);
    }
    static std::string window_picture() {
        return bytes_of(ui::clock::kWindowUnit, prop::kWindowPicture);
    }
    static std::uint32_t window_colour() {
        return int_of(ui::clock::kWindowUnit, prop::kWindowBackColour);
    }
    static std::string panel_picture(UnitId panel) { return bytes_of(panel, prop::kPanelPicture); }
    static std::uint32_t panel_colour(UnitId panel) {
        return int_of(panel, prop::kPanelBackColour);
    }
    static bool on_top() { return int_of(ui::clock::kWindowUnit, prop::kWindowAlwaysOnTop) != 0; }

    // What the visible panel shows at (x, y) after a face has been drawn.
    static plat::raster::Colour shown_after_a_frame(int x, int y) {
        draw_face();
        DrawPanel* p = as_draw_panel(rt().live_unit(ui::clock::kWindow, ui::clock::画板2));
        EXPECT_NE(p, nullptr);
        return p ? p->image().pixel(x, y) & 0xFFFFFF : 0;
    }

    // The file dialog answers `path` (UTF-8), or is cancelled.
    void answer_dialog(std::optional<fs::path> path) {
        plat::set_file_dialog_responder([this, path](const plat::FileDialogOptions& o) {
            dialog_titles.push_back(o.title);
            dialog_names.push_back(o.file_name);
            // The dialog gives GBK, as every text inside.
            return path ? plat::utf8_to_gbk(path->string()) : std::nullopt;
        });
    }

    std::vector<plat::MessageBoxRequest> boxes;
    std::vector<bool> on_top_during_box;
    std::vector<std::string> dialog_titles;
    std::vector<std::string> dialog_names;  // the file name presets

private:
    SettingsRunDir m_dir;
    std::array<HandlerFn, kHandlerCount> m_table{};
};

}  // namespace vel::test
