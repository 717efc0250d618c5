#pragma once
// The form description language, compiled into a FormResource.
//
//   window 0x52010001 clock                 a window (column 0) and its name
//     unit 0x06010000 window                its window unit comes first
//       geometry 0 0 288 288                attribute lines, indented below
//       event 0 clock_created               event number and handler name
//     unit 0x16010002 Timer "时钟1"          a control: id, type, name
//     menu 0x26010010 "右键" hidden          a menu item; two more spaces of
//       menu 0x26010011 "开机启动" on menu_autostart   indent = one level down
//       menu 0x2601002D "十二生肖" list pictures       its sub-items join a list
//
// Units appear in index order. A container's children are taken from the
// `container` lines of the units placed in it.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "forms/resource/form_resource.h"
#include "tools/formc/lexer.h"
#include "tools/formc/values.h"

namespace formc {

// The names a program reaches a window's units by: its named controls and
// its menu items (separators excepted) by their captions, in index order,
// and the lists of menu items gathered by `list NAME`, in menu order.
struct WindowIds {
    std::string name;  // UTF-8, as the description spells it
    std::uint32_t window = 0, window_unit = 0;
    std::vector<std::pair<std::string, std::uint32_t>> units;
    std::vector<std::pair<std::string, std::vector<std::uint32_t>>> lists;
};

// False with `error` = "LINE: reason" at the first mistake.
bool compile_description(const std::vector<Line>& lines, ValueContext& cx, vel::FormResource& out,
                         std::string& error, std::vector<WindowIds>* ids = nullptr);

// A C++ header declaring the ids in namespace vel::ui::<window name>.
std::string ids_header(const std::vector<WindowIds>& windows);

}  // namespace formc
