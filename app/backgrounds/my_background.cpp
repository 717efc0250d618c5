// "更换": the user's own picture, chosen in the dialog 添加背景 and copied
// to image\我的背景.jpg.
#include "app/backgrounds/background_units.h"
#include "app/backgrounds/backgrounds.h"
#include "app/backgrounds/catalogue.h"
#include "app/common/message.h"
#include "forms/pictures/picture_table.h"
#include "forms/runtime/property_numbers.h"
#include "forms/runtime/unit_methods.h"
#include "forms/runtime/unit_ref.h"
#include "library/call.h"
#include "library/commands/file_commands.h"
#include "resources/form_ids.h"

namespace vel::backgrounds {
namespace {

constexpr UnitRef k添加背景{ui::clock::kWindow, 0x160111D4, TAG_UNIT_COMMONDLG};

// 错误
constexpr char kErrorCaption[] = "\xB4\xED\xCE\xF3";
// 所选图片无法复制，背景未更换。
constexpr char kCopyFailed[] =
    "\xCB\xF9\xD1\xA1\xCD\xBC\xC6\xAC\xCE\xDE\xB7\xA8\xB8\xB4\xD6\xC6\xA3\xAC\xB1\xB3\xBE\xB0\xCE"
    "\xB4\xB8\xFC\xBB\xBB\xA1\xA3";
// 所选文件不是可用的图片，背景未更换。
constexpr char kNoPicture[] =
    "\xCB\xF9\xD1\xA1\xCE\xC4\xBC\xFE\xB2\xBB\xCA\xC7\xBF\xC9\xD3\xC3\xB5\xC4\xCD\xBC\xC6\xAC\xA3"
    "\xAC\xB1\xB3\xBE\xB0\xCE\xB4\xB8\xFC\xBB\xBB\xA1\xA3";

std::string chosen_file() {
    return k添加背景.get_text(prop::kDialogFileName);
}

// Whether the window could show these bytes as its background picture.
bool decodes(const Bytes& bytes) {
    const int number = call(cmd_load_picture, arg_byteset(bytes.get())).as_int();
    call(cmd_unload_picture, arg_int(number));
    return number != 0;
}

// The chosen file replaces my picture only once it is known to show: the
// user's previous picture is not given up for one that would leave a bare
// colour. The bytes that were checked are the ones written, as a file of
// the user's own, so a read-only original (a camera card's) cannot make
// the next change fail. Null when it replaced it, else the box to show.
const char* copy_to_mine(const std::string& source) {
    const Bytes chosen = read_picture_file(source);
    if (!chosen) return kCopyFailed;
    if (!decodes(chosen)) return kNoPicture;
    const auto bytes = byteset_span(chosen.get());
    if (!write_new_file(picture_path(kMineValue),
                        {reinterpret_cast<const char*>(bytes.data()), bytes.size()}))
        return kCopyFailed;
    return nullptr;
}

}  // namespace

void change_my_background() {
    const bool chosen = call(cmd_open_common_dialog, k添加背景.arg()).as_logical();
    if (!chosen) return;
    if (const char* refused = copy_to_mine(chosen_file())) {
        // Nothing moves: the old background, its check mark and its file stay.
        clock::show_message(refused, kErrorCaption);
    } else {
        use_my_background();
    }
    call(cmd_close_all_files);
}

}  // namespace vel::backgrounds
