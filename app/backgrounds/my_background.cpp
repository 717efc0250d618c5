// "更换": the user's own picture, chosen in the dialog 添加背景 and copied
// to image\我的背景.jpg.
#include "app/backgrounds/background_units.h"
#include "app/backgrounds/backgrounds.h"
#include "app/backgrounds/catalogue.h"
#include "app/common/message.h"
#include "forms/runtime/form_runtime.h"
#include "forms/runtime/property_numbers.h"
#include "forms/runtime/unit_methods.h"
#include "library/call.h"
#include "library/commands/file_commands.h"
#include "resources/form_ids.h"

namespace vel::backgrounds {
namespace {

// 错误 / 所选图片无法复制，背景未更换。
constexpr char kErrorCaption[] = "\xB4\xED\xCE\xF3";
constexpr char kCopyFailed[] =
    "\xCB\xF9\xD1\xA1\xCD\xBC\xC6\xAC\xCE\xDE\xB7\xA8\xB8\xB4\xD6\xC6\xA3\xAC\xB1\xB3\xBE\xB0\xCE"
    "\xB4\xB8\xFC\xBB\xBB\xA1\xA3";

std::string chosen_file() {
    const Value v = FormRuntime::instance().get_property(ui::clock::kWindow, ui::clock::添加背景,
                                                         prop::kDialogFileName);
    const Text name(reinterpret_cast<char*>(v.payload));
    return std::string(view(name));
}

bool same_bytes(const Bytes& a, const Bytes& b) {
    const auto x = byteset_span(a.get());
    const auto y = byteset_span(b.get());
    return std::equal(x.begin(), x.end(), y.begin(), y.end());
}

// The copy replaces my picture. A copy onto itself is refused below us, yet
// the picture is then already in place: a destination that holds exactly
// the chosen bytes counts as copied.
bool copy_to_mine(const std::string& source) {
    const std::string mine = picture_path(kMineValue);
    if (call(cmd_copy_file, arg_text(source.c_str()), arg_text(mine.c_str())).as_logical())
        return true;
    const Bytes chosen = read_picture_file(source);
    return chosen && same_bytes(chosen, read_picture_file(mine));
}

}  // namespace

void change_my_background() {
    const bool chosen = call(cmd_open_common_dialog,
                             arg_unit(ui::clock::kWindow, ui::clock::添加背景, TAG_UNIT_COMMONDLG))
                            .as_logical();
    if (!chosen) return;
    if (copy_to_mine(chosen_file())) {
        use_my_background();
    } else {
        // Nothing moves: the old background, its check mark and its file stay.
        clock::show_message(kCopyFailed, kErrorCaption);
    }
    call(cmd_close_all_files);
}

}  // namespace vel::backgrounds
