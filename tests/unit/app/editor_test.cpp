// The alarm editor driven as a user would: typing into its boxes, choosing
// in its lists and pressing its buttons; bell.vel and the list are compared
// byte for byte afterwards.
#include <sys/fsuid.h>
#include <sys/stat.h>

#include <filesystem>

#include "alarm_fixture.h"
#include "resources/form_ids.h"

namespace vel::test {
namespace {

const std::string k早操 = "\xD4\xE7\xB2\xD9";
const std::string k闹铃 = "\xC4\xD6\xC1\xE5";
const std::string k错误 = "\xB4\xED\xCE\xF3";
const std::string k数据错误 = "\xCA\xFD\xBE\xDD\xB4\xED\xCE\xF3";
const std::string k闹铃无法保存 = "\xC4\xD6\xC1\xE5\xCE\xDE\xB7\xA8\xB1\xA3\xB4\xE6";
// 闹铃文件无法读取，闹铃不能修改。
const std::string kCannotRead =
    "\xC4\xD6\xC1\xE5\xCE\xC4\xBC\xFE\xCE\xDE\xB7\xA8\xB6\xC1\xC8\xA1\xA3\xAC"
    "\xC4\xD6\xC1\xE5\xB2\xBB\xC4\xDC\xD0\xDE\xB8\xC4\xA1\xA3";
const std::string kHourRange =
    "\xC7\xEB\xCA\xE4\xC8\xEB"
    "0\xD6\xC1"
    "23\xD6\xD0\xB5\xC4\xD5\xFB\xCA\xFD";
const std::string kColonText = kColon;
constexpr uid_t kNobody = 65534;

std::string line(const std::string& name, const std::string& time, const std::string& ring) {
    return name + kColonText + time + "/" + ring;
}

class EditorTest : public AlarmTest {
protected:
    void open_editor() {
        ASSERT_TRUE(FormRuntime::instance().load_window(ui::editor::kWindow, 0, false));
        plat::process_pending_events();
    }
    plat::Widget* widget(UnitId unit) {
        return FormRuntime::instance().unit_widget(ui::editor::kWindow, unit);
    }
    void press(UnitId button) {
        EventRecord r;
        r.window = ui::editor::kWindow;
        r.unit = button;
        FormRuntime::instance().raise_event(r);
    }
    // Types ASCII text key by key, as the user does.
    void type(UnitId box, const std::string& text) {
        for (char c : text) {
            const int key = std::isalnum(static_cast<unsigned char>(c))
                                ? std::toupper(static_cast<unsigned char>(c))
                                : 0;
            plat::send_key(widget(box), key, 0, std::string(1, c));
        }
    }
    void select(int index) {
        plat::set_current_index(widget(ui::editor::闹铃列表框), index);
        EventRecord r;
        r.window = ui::editor::kWindow;
        r.unit = ui::editor::闹铃列表框;
        FormRuntime::instance().raise_event(r);
    }
    std::vector<std::string> items() {
        std::vector<std::string> out;
        for (int i = 0; i < plat::item_count(widget(ui::editor::闹铃列表框)); ++i)
            out.push_back(plat::item_text(widget(ui::editor::闹铃列表框), i));
        return out;
    }
    // The file's lines as the editor lists them.
    std::vector<std::string> file_lines() {
        std::vector<std::string> out;
        const std::string bytes = dir.bytes("bell.vel");
        for (std::size_t at = 0; at < bytes.size();) {
            const std::size_t end = bytes.find("\r\n", at);
            out.push_back(bytes.substr(at, end == std::string::npos ? end : end - at));
            if (end == std::string::npos) break;
            at = end + 2;
        }
        return out;
    }
};

TEST_F(EditorTest, AddWritesTheLineTheBoxesSay) {
    dir.write("bell.vel", "");
    open_editor();
    press(ui::editor::增加闹铃);  // every box empty, no ring chosen
    type(ui::editor::名称输入, "abc");
    type(ui::editor::小时框, "7");
    type(ui::editor::分钟框, "05");
    plat::set_current_index(widget(ui::editor::铃声列表框), 1);
    press(ui::editor::增加闹铃);
    EXPECT_EQ(dir.bytes("bell.vel"),
              line(k闹铃, "0:0", "") + "\r\n" + line("abc", "7:5", k起床) + "\r\n");
    EXPECT_EQ(items(), file_lines());
}

TEST_F(EditorTest, SelectionFillsTheBoxesAndTheRing) {
    dir.write("bell.vel", line(k早操, "6:30", k起床) + "\r\n" + "hand-written\r\n");
    open_editor();
    EXPECT_EQ(items(), (std::vector<std::string>{line(k早操, "6:30", k起床), "hand-written"}));
    select(0);
    EXPECT_EQ(plat::text(widget(ui::editor::名称输入)), k早操);
    EXPECT_EQ(plat::text(widget(ui::editor::小时框)), "6");
    EXPECT_EQ(plat::text(widget(ui::editor::分钟框)), "30");
    EXPECT_EQ(plat::current_index(widget(ui::editor::铃声列表框)), 1);
    EXPECT_EQ((std::array{clock::typed_hour, clock::typed_minute}), (std::array{6, 30}));
    // A line without separators: empty boxes, the ring box as it was.
    select(1);
    EXPECT_EQ(plat::text(widget(ui::editor::名称输入)), "");
    EXPECT_EQ(plat::text(widget(ui::editor::小时框)), "");
    EXPECT_EQ(plat::current_index(widget(ui::editor::铃声列表框)), 1);
    EXPECT_TRUE(m_shown.empty());
}

struct CutRow {
    std::string line;
    std::string name, hour, minute;  // the boxes after selecting the line
    int ring;                        // the ring box afterwards; it starts at 2
    bool rings;                      // at 7:30
};

// One parser serves both: the editor fills its boxes from whatever the cuts
// give, the check rings only a whole alarm line.
TEST_F(EditorTest, HandWrittenLinesFillTheBoxesButNeverRing) {
    for (const CutRow& row : {
             CutRow{"a" + kColonText + "7:30/VEL", "a", "7", "30", 0, true},
             CutRow{"7:30/VEL", "", "7", "30", 0, false},
             CutRow{"a" + kColonText + "7:30", "a", "7", "", 2, false},
             CutRow{"a" + kColonText + "730/VEL", "a", "", "", 0, false},
             CutRow{"7:30/a" + kColonText + "VEL", "7:30/a", "", "30", 2, false},
             CutRow{"a/7:30" + kColonText, "a/7:30", "", "", 2, false},
             CutRow{"VEL", "", "", "", 0, false},
         }) {
        SCOPED_TRACE(row.line);
        dir.write("bell.vel", row.line + "\r\n");
        tick(at(7, 29, 59, 900));
        tick(at(7, 30, 1, 100));
        EXPECT_EQ(prompts(),
                  row.rings ? std::vector<std::string>{"a"} : std::vector<std::string>{});
        open_editor();
        plat::set_current_index(widget(ui::editor::铃声列表框), 2);
        select(0);
        EXPECT_EQ(plat::text(widget(ui::editor::名称输入)), row.name);
        EXPECT_EQ(plat::text(widget(ui::editor::小时框)), row.hour);
        EXPECT_EQ(plat::text(widget(ui::editor::分钟框)), row.minute);
        EXPECT_EQ(plat::current_index(widget(ui::editor::铃声列表框)), row.ring);
        EXPECT_TRUE(m_shown.empty());
        press(ui::editor::关闭闹铃);
        plat::process_pending_events();
    }
}

TEST_F(EditorTest, OutOfRangeHourIsCorrectedAfterOneMessage) {
    open_editor();
    type(ui::editor::小时框, "25");
    ASSERT_EQ(m_shown.size(), 1u);
    EXPECT_EQ(m_shown[0].text, kHourRange);
    EXPECT_EQ(m_shown[0].caption, k数据错误);
    EXPECT_EQ(plat::text(widget(ui::editor::小时框)), "2");
    EXPECT_EQ(clock::typed_hour, 2);
    m_shown.clear();
    plat::set_text(widget(ui::editor::小时框), "");
    type(ui::editor::小时框, "-1");
    EXPECT_EQ(m_shown.size(), 1u);
    EXPECT_EQ(plat::text(widget(ui::editor::小时框)), "");
    EXPECT_EQ(clock::typed_hour, 0);
    m_shown.clear();
    type(ui::editor::分钟框, "60");
    EXPECT_EQ(m_shown.size(), 1u);
    EXPECT_EQ(plat::text(widget(ui::editor::分钟框)), "6");
}

TEST_F(EditorTest, MessagesLeaveTheTopBandAndComeBack) {
    set_checked(ui::clock::置于顶层, true);
    open_editor();
    bool editor_on_top = true;
    m_on_box = [&](const plat::MessageBoxRequest&) {
        editor_on_top = (FormRuntime::instance()
                             .get_property(ui::editor::kWindow, ui::editor::kWindowUnit,
                                           prop::kWindowAlwaysOnTop)
                             .payload &
                         1) != 0;
    };
    press(ui::editor::修改闹铃);  // nothing selected
    ASSERT_EQ(m_shown.size(), 1u);
    EXPECT_EQ(m_shown[0].caption, k错误);
    EXPECT_FALSE(m_shown[0].clock_on_top);
    EXPECT_FALSE(editor_on_top);
    EXPECT_TRUE(clock_on_top());
    EXPECT_TRUE(
        (FormRuntime::instance()
             .get_property(ui::editor::kWindow, ui::editor::kWindowUnit, prop::kWindowAlwaysOnTop)
             .payload &
         1) != 0);
    press(ui::editor::删除闹铃);
    EXPECT_EQ(m_shown.size(), 2u);
}

struct EditRow {
    const char* what;
    std::string file;
    int selected;
    const char* button;  // "modify", "modify twice", "delete", "delete twice"
    std::string after;
};

class EditorEditTest : public EditorTest, public ::testing::WithParamInterface<EditRow> {};

// Modify sets the hour to 9 (name and minute as loaded).
TEST_P(EditorEditTest, ChangesTheSelectedWholeLine) {
    const EditRow& row = GetParam();
    dir.write("bell.vel", row.file);
    open_editor();
    select(row.selected);
    const std::string button = row.button;
    if (button.starts_with("modify")) {
        plat::set_text(widget(ui::editor::小时框), "9");
        press(ui::editor::修改闹铃);
        if (button == "modify twice") {
            plat::set_text(widget(ui::editor::小时框), "10");
            press(ui::editor::修改闹铃);
        }
    } else {
        press(ui::editor::删除闹铃);
        if (button == "delete twice") press(ui::editor::删除闹铃);
    }
    EXPECT_EQ(dir.bytes("bell.vel"), row.after) << row.what;
    EXPECT_EQ(items(), file_lines()) << row.what;
}

const std::string kA = line("a", "1:0", "VEL");
const std::string kB = line("b", "2:0", "VEL");
const std::string kXA = "x" + kA;  // a name that ends with the line kA

INSTANTIATE_TEST_SUITE_P(
    Rows, EditorEditTest,
    ::testing::Values(
        EditRow{"modify", kA + "\r\n" + kB + "\r\n", 1, "modify",
                kA + "\r\n" + line("b", "9:0", "VEL") + "\r\n"},
        EditRow{"modify twice reaches the file", kA + "\r\n" + kB + "\r\n", 1, "modify twice",
                kA + "\r\n" + line("b", "10:0", "VEL") + "\r\n"},
        EditRow{"the second of two equal lines", kA + "\r\n" + kB + "\r\n" + kA + "\r\n", 2,
                "modify", kA + "\r\n" + kB + "\r\n" + line("a", "9:0", "VEL") + "\r\n"},
        EditRow{"a line inside another's name", kXA + "\r\n" + kA + "\r\n", 1, "modify",
                kXA + "\r\n" + line("a", "9:0", "VEL") + "\r\n"},
        EditRow{"a last line without CR LF", kA + "\r\n" + kB, 1, "modify",
                kA + "\r\n" + line("b", "9:0", "VEL")},
        EditRow{"delete", kA + "\r\n" + kB + "\r\n", 0, "delete", kB + "\r\n"},
        EditRow{"delete twice asks the second time", kA + "\r\n" + kB + "\r\n", 0, "delete twice",
                kB + "\r\n"},
        EditRow{"delete the last", kA + "\r\n", 0, "delete", ""},
        EditRow{"delete a last line without CR LF", kA + "\r\n" + kB, 1, "delete", kA + "\r\n"}),
    [](const auto& row_info) { return "row" + std::to_string(row_info.index); });

TEST_F(EditorTest, WhatCannotBeStoredChangesNeitherListNorFile) {
    // bell.vel missing: add creates it.
    open_editor();
    press(ui::editor::增加闹铃);
    EXPECT_EQ(dir.bytes("bell.vel"), line(k闹铃, "0:0", "") + "\r\n");
    EXPECT_TRUE(m_shown.empty());
    press(ui::editor::关闭闹铃);
    plat::process_pending_events();

    struct Row {
        const char* what;
        std::function<void()> spoil;
    };
    const std::string kept = kA + "\r\n" + std::string(1, '\0') + kB + "\r\n";
    for (const Row& row : {
             Row{"a zero byte hides the rest", [&] { dir.write("bell.vel", kept); }},
             Row{"no settings folder", [&] { std::filesystem::remove_all(dir.folder()); }},
         }) {
        open_editor();
        row.spoil();
        const std::vector<std::string> before = items();
        select(before.empty() ? -1 : 0);
        for (UnitId button : {ui::editor::增加闹铃, ui::editor::修改闹铃, ui::editor::删除闹铃}) {
            m_shown.clear();
            press(button);
            if (button != ui::editor::增加闹铃 && before.empty()) continue;  // nothing to select
            ASSERT_EQ(m_shown.size(), 1u) << row.what;
            EXPECT_EQ(m_shown[0].text, k闹铃无法保存) << row.what;
            EXPECT_EQ(m_shown[0].caption, k错误);
            EXPECT_EQ(items(), before) << row.what;
        }
        if (std::string(row.what).starts_with("a zero")) {
            EXPECT_EQ(dir.bytes("bell.vel"), kept);
        }
        press(ui::editor::关闭闹铃);
        plat::process_pending_events();
        std::filesystem::create_directories(dir.folder());
        std::filesystem::remove_all(dir.file("bell.vel"));
    }
}

struct FileRow {
    const char* what;
    std::string file;       // bell.vel's bytes
    bool link;              // a link to ../synced/bell.vel
    int mode, folder_mode;  // of bell.vel (or its link's target) and of the settings folder
    const char* action;     // "add", "modify" (the first line's hour to 9), "delete", "all"
    std::vector<std::string> shown;  // the messages, each captioned 错误
    std::string after;               // bell.vel's bytes afterwards
};

// Each row runs as a user whom permissions bind: as "nobody" for this
// thread's file access when the tests run as root. bell.vel also keeps its
// mode, and a link stays one.
TEST_F(EditorTest, TheAlarmFileIsNeverLostOnlyChanged) {
    namespace fs = std::filesystem;
    const std::string kAB = kA + "\r\n" + kB + "\r\n";
    const std::string kAdded = line(k闹铃, "0:0", "") + "\r\n";
    auto not_gbk = [&](const char* time) {
        return "\xFF\xFF" + line("a", time, "VEL") + "\r\n" + kB + "\r\n";
    };
    const std::string kBadB = not_gbk("1:0");
    const bool root = ::geteuid() == 0;
    for (const FileRow& row : {
             FileRow{"no read rights", kAB, false, 0, 0755, "all", std::vector(4, kCannotRead),
                     kAB},
             FileRow{"a link", kAB, true, 0600, 0755, "add", {}, kAB + kAdded},
             FileRow{"read-only folder", kAB, false, 0644, 0555, "delete", {}, kB + "\r\n"},
             FileRow{"not GBK: delete", kBadB, false, 0644, 0755, "delete", {}, kB + "\r\n"},
             FileRow{"not GBK: modify", kBadB, false, 0644, 0755, "modify", {}, not_gbk("9:0")},
         }) {
        SCOPED_TRACE(row.what);
        const std::string action = row.action;
        const fs::path bell = dir.file("bell.vel"), synced = dir.root() / "synced";
        const fs::path target = row.link ? synced / "bell.vel" : bell;
        fs::create_directories(synced);
        std::ofstream(target, std::ios::binary) << row.file;
        if (row.link) fs::create_symlink("../synced/bell.vel", bell);
        for (const auto& entry : fs::recursive_directory_iterator(dir.root()))
            if (root) ::lchown(entry.path().c_str(), kNobody, kNobody);
        if (root) ::chown(dir.root().c_str(), kNobody, kNobody);
        ::chmod(target.c_str(), static_cast<mode_t>(row.mode));
        ::chmod(dir.folder().c_str(), static_cast<mode_t>(row.folder_mode));
        const fs::file_status before = fs::status(bell);
        m_shown.clear();
        if (root) ::setfsuid(kNobody);
        open_editor();
        if (action == "all") {
            for (UnitId button : {ui::editor::增加闹铃, ui::editor::修改闹铃, ui::editor::删除闹铃})
                press(button);
        } else if (action == "add") {
            press(ui::editor::增加闹铃);
        } else {
            select(0);
            if (action == "modify") plat::set_text(widget(ui::editor::小时框), "9");
            press(action == "modify" ? ui::editor::修改闹铃 : ui::editor::删除闹铃);
        }
        press(ui::editor::关闭闹铃);
        plat::process_pending_events();
        if (root) ::setfsuid(0);
        EXPECT_EQ(dir.bytes("bell.vel"), row.after);
        for (const Shown& shown : m_shown) EXPECT_EQ(shown.caption, k错误);
        EXPECT_EQ(prompts(), row.shown);
        EXPECT_EQ(fs::status(bell).permissions(), before.permissions());
        EXPECT_EQ(fs::is_symlink(bell), row.link);
        ::chmod(dir.folder().c_str(), 0755);
        fs::remove_all(bell);
        fs::remove_all(synced);
    }
}

}  // namespace
}  // namespace vel::test
