// The setting toggles on the real clock window: check marks, window state
// and the exact bytes of the settings files.
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "app/settings/toggles.h"
#include "forms/resource/form_resource.h"
#include "library/commands/run_directory.h"
#include "resources/form_ids.h"
#include "window_clock_fixture.h"

namespace vel::test {
namespace {

namespace s = settings;
const std::string kTop(s::stored(ui::clock::置于顶层).on),
    kEmbed(s::stored(ui::clock::嵌入桌面).on), kMouse(s::stored(ui::clock::鼠标穿透).on);

struct Placement {
    bool embed_checked, top_checked, embedded, on_top, free_move;
    std::string insert_vel, top_vel;
};

// The rows against the form description: a row naming another item's
// caption or handler would store or bind the wrong thing without a sound.
TEST(StoredSettings, EachRowIsItsMenuItem) {
    const FormReadResult form = read_form_resource(embedded_bytes("forms.bin"));
    ASSERT_TRUE(form.ok());
    const WindowEntry* window = find_window(*form.resource, ui::clock::kWindow);
    ASSERT_NE(window, nullptr);
    std::set<std::string_view> toggle_files, shape_files;
    for (const s::StoredSetting& row : s::kStoredSettings) {
        const UnitEntry* item = unit_at(*window, find_unit(*window, row.item));
        ASSERT_NE(item, nullptr) << row.file;
        EXPECT_EQ(item->caption, row.on) << row.file;
        EXPECT_EQ(item->onClick, static_cast<HandlerRef>(row.handler)) << row.file;
        EXPECT_LE(row.on.size(), 8u) << row.file << ": clearing removes 8 bytes";
        if (row.shape == s::kNoShape)
            EXPECT_TRUE(toggle_files.insert(row.file).second) << row.file << " shared";
        else
            shape_files.insert(row.file);
    }
    EXPECT_EQ(shape_files.size(), 1u);
    EXPECT_FALSE(toggle_files.contains(*shape_files.begin()));
}

class Toggles : public ClockWindowTest {
protected:
    Placement placement() {
        return {cw::checked(ui::clock::嵌入桌面),
                cw::checked(ui::clock::置于顶层),
                platform_state().embedded,
                cw::kWindow.get_int(cw::kAlwaysOnTop) != 0,
                cw::kWindow.get_int(cw::kFreeMove) != 0,
                dir.bytes("insert.vel"),
                dir.bytes("top.vel")};
    }
    void expect(const Placement& want, const char* step) {
        const Placement got = placement();
        EXPECT_EQ(got.embed_checked, want.embed_checked) << step;
        EXPECT_EQ(got.top_checked, want.top_checked) << step;
        EXPECT_EQ(got.embedded, want.embedded) << step;
        EXPECT_EQ(got.on_top, want.on_top) << step;
        EXPECT_EQ(got.free_move, want.free_move) << step;
        EXPECT_EQ(got.insert_vel, want.insert_vel) << step;
        EXPECT_EQ(got.top_vel, want.top_vel) << step;
    }
};

// Every row through the menu: a setting stores its caption and clears it
// again; a shape stays chosen.
TEST_F(Toggles, EachItemStoresItsCaptionWhileOn) {
    dir.write_root(executable_file_name(), "program");  // what a start-at-logon entry names
    for (const s::StoredSetting& row : s::kStoredSettings) dir.write(std::string(row.file), "");
    start();
    for (const s::StoredSetting& row : s::kStoredSettings) {
        const std::string file(row.file);
        const bool shape = row.shape != s::kNoShape;
        choose(row.item);
        EXPECT_TRUE(cw::checked(row.item)) << file;
        EXPECT_EQ(dir.bytes(file), row.on) << file;
        choose(row.item);
        EXPECT_EQ(cw::checked(row.item), shape) << file;
        EXPECT_EQ(dir.bytes(file), shape ? row.on : "") << file;
    }
}

TEST_F(Toggles, KeepOnTopAndEmbedExcludeEachOther) {
    dir.write("insert.vel", "");
    dir.write("top.vel", "");
    start();
    const Placement normal{false, false, false, false, true, "", ""};
    const Placement embedded{true, false, true, false, false, kEmbed, ""};
    const Placement on_top{false, true, false, true, true, "", kTop};
    expect(normal, "start");
    const struct {
        UnitId item;
        Placement after;
        const char* step;
    } steps[] = {
        {ui::clock::嵌入桌面, embedded, "normal -> embedded"},
        {ui::clock::置于顶层, on_top, "embedded -> on top"},
        {ui::clock::嵌入桌面, embedded, "on top -> embedded"},
        {ui::clock::嵌入桌面, normal, "embedded -> normal"},
        {ui::clock::置于顶层, on_top, "normal -> on top"},
        {ui::clock::置于顶层, normal, "on top -> normal"},
    };
    for (const auto& step : steps) {
        choose(step.item);
        expect(step.after, step.step);
    }
}

TEST_F(Toggles, ClickThroughKeepsTheClockEmbedded) {
    dir.write("insert.vel", "");
    dir.write("mouse.vel", "");
    start();
    choose(ui::clock::嵌入桌面);
    choose(ui::clock::鼠标穿透);
    EXPECT_TRUE(cw::checked(ui::clock::嵌入桌面));
    EXPECT_TRUE(cw::checked(ui::clock::鼠标穿透));
    EXPECT_EQ(dir.bytes("insert.vel"), kEmbed);
    EXPECT_EQ(dir.bytes("mouse.vel"), kMouse);
    const auto handle = static_cast<plat::win32::Handle>(cw::handle());
    EXPECT_EQ(plat::win32::get_window_long(handle, plat::win32::kGwlExStyle),
              static_cast<std::int32_t>(plat::win32::kWsExTransparent | plat::win32::kWsExLayered));
    EXPECT_TRUE(platform_state().embedded);
    EXPECT_TRUE(platform_state().input_transparent);
    EXPECT_NEAR(platform_state().opacity, 144 / 255.0, 0.005);

    choose(ui::clock::鼠标穿透);
    EXPECT_FALSE(cw::checked(ui::clock::鼠标穿透));
    EXPECT_EQ(dir.bytes("mouse.vel"), "");
    EXPECT_EQ(plat::win32::get_window_long(handle, plat::win32::kGwlExStyle), 0);
    EXPECT_FALSE(platform_state().input_transparent);
    EXPECT_NEAR(platform_state().opacity, 1.0, 0.005);
    EXPECT_TRUE(platform_state().embedded);
    EXPECT_TRUE(cw::checked(ui::clock::嵌入桌面));
}

TEST_F(Toggles, ShapesStoreExactlyTheChosenCaption) {
    dir.write("outline.vel", std::string(s::stored(ui::clock::圆角方形).on));
    start();
    EXPECT_TRUE(cw::checked(ui::clock::圆角方形));
    EXPECT_EQ(cw::kWindow.get_int(cw::kShape), 2);
    // From 8 bytes to 6, 4 and 8 again.
    for (const s::StoredSetting& row : s::kStoredSettings) {
        if (row.shape == s::kNoShape) continue;
        choose(row.item);
        EXPECT_EQ(dir.bytes("outline.vel"), std::string(row.on));
        EXPECT_EQ(cw::kWindow.get_int(cw::kShape), row.shape);
        for (const s::StoredSetting& other : s::kStoredSettings) {
            if (other.shape == s::kNoShape) continue;
            EXPECT_EQ(cw::checked(other.item), other.item == row.item) << row.shape;
        }
    }
}

class Autostart : public ClockWindowTest {
protected:
    std::filesystem::path user_entry() const {
        return dir.root() / "xdg-home" / "autostart" / (executable_file_name() + ".desktop");
    }
    std::filesystem::path machine_entry() const {
        return dir.root() / "xdg-dirs" / "autostart" / (executable_file_name() + ".desktop");
    }
    // The entry names the program beside the settings folder.
    void place_program() const { dir.write_root(executable_file_name(), "program"); }
    // Neither entry can be written: a file stands where the folders would go.
    void block_entries() const {
        std::filesystem::remove_all(dir.root() / "xdg-home");
        dir.write_root("xdg-home", "not a folder");
    }
};

TEST_F(Autostart, StoredChoiceIsAppliedAtStartUpAndTurnsOffAndOn) {
    place_program();
    std::filesystem::create_directories(machine_entry().parent_path());
    dir.write("start.vel", std::string(s::stored(ui::clock::开机启动).on));
    start();
    EXPECT_TRUE(cw::checked(ui::clock::开机启动));
    EXPECT_TRUE(std::filesystem::exists(machine_entry()));

    choose(ui::clock::开机启动);
    EXPECT_FALSE(cw::checked(ui::clock::开机启动));
    EXPECT_EQ(dir.bytes("start.vel"), "");
    EXPECT_FALSE(std::filesystem::exists(machine_entry()));
    EXPECT_FALSE(std::filesystem::exists(user_entry()));

    std::filesystem::remove_all(machine_entry().parent_path());  // the user's entry now
    choose(ui::clock::开机启动);
    EXPECT_TRUE(cw::checked(ui::clock::开机启动));
    EXPECT_EQ(dir.bytes("start.vel"), std::string(s::stored(ui::clock::开机启动).on));
    EXPECT_TRUE(std::filesystem::exists(user_entry()));
}

TEST_F(Autostart, FailureIsNeitherCheckedNorStored) {
    // At start-up: the stored choice stays for the next start to try again.
    place_program();
    block_entries();
    dir.write("start.vel", std::string(s::stored(ui::clock::开机启动).on));
    start();
    EXPECT_FALSE(cw::checked(ui::clock::开机启动));
    EXPECT_EQ(dir.bytes("start.vel"), std::string(s::stored(ui::clock::开机启动).on));

    // From the menu: nothing is written.
    dir.write("start.vel", "");
    choose(ui::clock::开机启动);
    EXPECT_FALSE(cw::checked(ui::clock::开机启动));
    EXPECT_EQ(dir.bytes("start.vel"), "");
}

TEST_F(Toggles, WithoutSettingsFolderEveryToggleWorksForTheRun) {
    std::filesystem::remove_all(dir.folder());
    start();
    for (UnitId item : {ui::clock::半点报时, ui::clock::置于顶层, ui::clock::鼠标穿透,
                        ui::clock::嵌入桌面, ui::clock::圆形})
        choose(item);
    EXPECT_TRUE(cw::checked(ui::clock::半点报时));
    EXPECT_TRUE(cw::checked(ui::clock::鼠标穿透));
    EXPECT_TRUE(cw::checked(ui::clock::嵌入桌面));
    EXPECT_FALSE(cw::checked(ui::clock::置于顶层));
    EXPECT_TRUE(cw::checked(ui::clock::圆形));
    EXPECT_TRUE(platform_state().embedded);
    EXPECT_FALSE(std::filesystem::exists(dir.folder()));
}

}  // namespace
}  // namespace vel::test
