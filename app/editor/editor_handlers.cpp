// The alarm editor "设定闹铃": its list shows bell.vel line by line; add,
// modify and delete change the file and the list together, or, when the
// file cannot be stored, neither.
#include <optional>
#include <string>

#include "app/alarms/alarm_file.h"
#include "app/alarms/alarm_line.h"
#include "app/clock_globals.h"
#include "app/common/message.h"
#include "app/editor/editor_units.h"
#include "app/handlers/handler_table.h"
#include "forms/runtime/unit_methods.h"
#include "library/call.h"
#include "library/commands/convert_commands.h"
#include "library/commands/file_commands.h"
#include "library/commands/system.h"
#include "resources/form_ids.h"

namespace vel {
namespace {

using alarms::kLineEnd;

constexpr int kFlatSilverStyle = 3;
constexpr char kDefaultName[] = "\xC4\xD6\xC1\xE5";                // 闹铃
constexpr char kError[] = "\xB4\xED\xCE\xF3";                      // 错误
constexpr char kDataError[] = "\xCA\xFD\xBE\xDD\xB4\xED\xCE\xF3";  // 数据错误
// 请输入0至23中的整数, 请输入0至59中的整数
constexpr char kHourRange[] =
    "\xC7\xEB\xCA\xE4\xC8\xEB"
    "0\xD6\xC1"
    "23\xD6\xD0\xB5\xC4\xD5\xFB\xCA\xFD";
constexpr char kMinuteRange[] =
    "\xC7\xEB\xCA\xE4\xC8\xEB"
    "0\xD6\xC1"
    "59\xD6\xD0\xB5\xC4\xD5\xFB\xCA\xFD";
// 请选取要修改的闹铃, 请选取要删除的闹铃
constexpr char kSelectToModify[] =
    "\xC7\xEB\xD1\xA1\xC8\xA1\xD2\xAA\xD0\xDE\xB8\xC4\xB5\xC4\xC4\xD6\xC1\xE5";
constexpr char kSelectToDelete[] =
    "\xC7\xEB\xD1\xA1\xC8\xA1\xD2\xAA\xC9\xBE\xB3\xFD\xB5\xC4\xC4\xD6\xC1\xE5";
constexpr char kCannotStore[] = "\xC4\xD6\xC1\xE5\xCE\xDE\xB7\xA8\xB1\xA3\xB4\xE6";  // 闹铃无法保存
// 闹铃文件无法读取，闹铃不能修改。
constexpr char kCannotRead[] =
    "\xC4\xD6\xC1\xE5\xCE\xC4\xBC\xFE\xCE\xDE\xB7\xA8\xB6\xC1\xC8\xA1\xA3\xAC"
    "\xC4\xD6\xC1\xE5\xB2\xBB\xC4\xDC\xD0\xDE\xB8\xC4\xA1\xA3";

// The name of the selected line as the file holds it, and as the name box
// gives it back: a name that is not valid GBK comes back altered, and is
// stored as it was for as long as the box still reads so.
struct SelectedName {
    std::string bytes, shown;
};
SelectedName g_selected_name;

// Checks a typed hour or minute; out of range, tells the user and corrects
// the box, which runs this again for the corrected text.
void check_range(UnitId box, int& typed, int highest, const char* message) {
    typed = text_to_integer(editor::box_text(box));
    if (typed < 0) {
        clock::show_message(message, kDataError, 0, [box] { editor::set_box_text(box, ""); });
    } else if (typed > highest) {
        clock::show_message(message, kDataError, 0, [box] {
            const std::string text = editor::box_text(box);
            editor::set_box_text(box, text.substr(0, text.empty() ? 0 : text.size() - 1));
            editor::caret_to_end(box);
        });
    }
}

// The line built from the boxes, empty ones read as "闹铃", 0 and 0.
std::string line_from_boxes() {
    if (editor::box_text(ui::editor::名称输入).empty()) clock::typed_name = kDefaultName;
    if (editor::box_text(ui::editor::小时框).empty()) clock::typed_hour = 0;
    if (editor::box_text(ui::editor::分钟框).empty()) clock::typed_minute = 0;
    clock::ring_text = editor::ring_box_text();
    return alarms::format_alarm_line(clock::typed_name, clock::typed_hour, clock::typed_minute,
                                     clock::ring_text);
}

// Where the list's item `index` (text `item`) lies in the file's text: the
// line at the same index when it still reads so, else the first whole line
// that does. Whole lines only: a name ending in another alarm's line must
// not be taken for that alarm.
std::optional<std::string_view> find_line(std::string_view text, int index, std::string_view item) {
    const std::vector<std::string_view> lines = alarms::split_lines(text);
    if (index >= 0 && index < static_cast<int>(lines.size()) &&
        lines[static_cast<std::size_t>(index)] == item)
        return lines[static_cast<std::size_t>(index)];
    for (const std::string_view line : lines)
        if (line == item) return line;
    return std::nullopt;
}

// `text` with `part` (a view into it) replaced by `by`.
std::string replaced(std::string_view text, std::string_view part, std::string_view by) {
    const auto at = static_cast<std::size_t>(part.data() - text.data());
    std::string out(text.substr(0, at));
    out += by;
    out += text.substr(at + part.size());
    return out;
}

// The alarm file as it is now, or nothing, after telling the user, when it
// is there but cannot be read: writing it would lose the alarms it holds.
std::optional<alarms::AlarmFileText> editable_file() {
    alarms::AlarmFileText file = alarms::read_alarm_file();
    if (file.readable) return file;
    clock::show_message(kCannotRead, kError);
    return std::nullopt;
}

// Stores the new text, or tells the user it could not be stored.
bool store(const std::string& text) {
    if (alarms::store_alarm_file(text)) return true;
    clock::show_message(kCannotStore, kError);
    return false;
}

void cannot_store() {
    clock::show_message(kCannotStore, kError);
}

}  // namespace

HandlerResult on_menu_set_alarms(std::span<const std::int32_t>) {
    // Modal, without parent: returns when the editor has closed.
    call(cmd_load_window, editor::kWindow.arg(), arg_none(), arg_logical(true));
    return std::nullopt;
}

HandlerResult on_alarm_editor_created(std::span<const std::int32_t>) {
    call(cmd_set_control_style, arg_int(kFlatSilverStyle));
    editor::clear_list_items();
    g_selected_name = {};
    const auto file = editable_file();
    if (!file) return std::nullopt;
    for (const std::string_view line : alarms::split_lines(file->text)) editor::add_list_item(line);
    return std::nullopt;
}

HandlerResult on_alarm_name_changed(std::span<const std::int32_t>) {
    clock::typed_name = editor::box_text(ui::editor::名称输入);
    if (clock::typed_name == g_selected_name.shown) clock::typed_name = g_selected_name.bytes;
    return std::nullopt;
}

HandlerResult on_alarm_hour_changed(std::span<const std::int32_t>) {
    check_range(ui::editor::小时框, clock::typed_hour, 23, kHourRange);
    return std::nullopt;
}

HandlerResult on_alarm_minute_changed(std::span<const std::int32_t>) {
    check_range(ui::editor::分钟框, clock::typed_minute, 59, kMinuteRange);
    return std::nullopt;
}

HandlerResult on_alarm_list_selected(std::span<const std::int32_t>) {
    const std::string line = editor::list_item(editor::list_selection());
    clock::selected_alarm_text = line;
    // A hand-written line fills the boxes with whatever its cuts give.
    const alarms::AlarmLine cut = alarms::parse_alarm_line(line);
    const std::string name(cut.name);
    editor::set_box_text(ui::editor::名称输入, name);
    g_selected_name = {name, editor::box_text(ui::editor::名称输入)};
    clock::typed_name = name;
    editor::set_box_text(ui::editor::小时框, cut.hour);
    editor::set_box_text(ui::editor::分钟框, cut.minute);
    const int ring = alarms::ring_index(cut.ring);
    if (ring >= 0) editor::select_ring(ring);
    return std::nullopt;
}

HandlerResult on_alarm_add(std::span<const std::int32_t>) {
    const auto file = editable_file();
    if (!file) return std::nullopt;
    const std::string line = line_from_boxes();
    // Past a zero byte nothing is read as alarms: a line written there would
    // never ring.
    if (!file->whole) {
        cannot_store();
        return std::nullopt;
    }
    std::string text = file->text;
    // A hand-edited last line without its line end stays a line of its own.
    if (!text.empty() && !text.ends_with(kLineEnd)) text += kLineEnd;
    text += line;
    text += kLineEnd;
    if (store(text)) editor::add_list_item(line);
    editor::focus(ui::editor::名称输入);
    return std::nullopt;
}

HandlerResult on_alarm_modify(std::span<const std::int32_t>) {
    const auto file = editable_file();
    if (!file) return std::nullopt;
    const int index = editor::list_selection();
    if (index < 0) {
        clock::show_message(kSelectToModify, kError);
        clock::selected_alarm_text.clear();
        return std::nullopt;
    }
    const std::string line = line_from_boxes();
    const std::string item = editor::list_item(index);
    const auto found = file->whole ? find_line(file->text, index, item) : std::nullopt;
    if (!found || !store(replaced(file->text, *found, line))) {
        if (!found) cannot_store();
        return std::nullopt;
    }
    editor::set_list_item(index, line);
    // The item now reads as the new line: a second modify finds it again.
    clock::selected_alarm_text = line;
    editor::focus(ui::editor::名称输入);
    return std::nullopt;
}

HandlerResult on_alarm_delete(std::span<const std::int32_t>) {
    const auto file = editable_file();
    if (!file) return std::nullopt;
    const int index = editor::list_selection();
    if (index < 0) {
        clock::show_message(kSelectToDelete, kError);
        return std::nullopt;
    }
    const std::string item = editor::list_item(index);
    const auto found = file->whole ? find_line(file->text, index, item) : std::nullopt;
    if (!found) {
        cannot_store();
        return std::nullopt;
    }
    // The line goes with its line end (a last line may have none).
    std::string_view whole = *found;
    const auto end = static_cast<std::size_t>(whole.data() - file->text.data()) + whole.size();
    if (std::string_view(file->text).substr(end).starts_with(kLineEnd))
        whole = std::string_view(whole.data(), whole.size() + kLineEnd.size());
    if (store(replaced(file->text, whole, ""))) editor::delete_list_item(index);
    return std::nullopt;
}

HandlerResult on_alarm_close(std::span<const std::int32_t>) {
    call(cmd_close_all_files);
    call(cmd_destroy, editor::kWindow.arg());
    return std::nullopt;
}

}  // namespace vel
