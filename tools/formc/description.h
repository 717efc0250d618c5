#pragma once
// The form description language, compiled into a FormResource.
//
//   window 0x52010001                       a window (column 0)
//     unit 0x06010000 window                its window unit comes first
//       geometry 0 0 288 288                attribute lines, indented below
//       event 0 clock_created               event number and handler name
//     unit 0x16010002 Timer "时钟1"          a control: id, type, name
//     menu 0x26010010 "右键" hidden          a menu item; two more spaces of
//       menu 0x26010011 "开机启动" on menu_autostart   indent = one level down
//
// Units appear in index order. A container's children are taken from the
// `container` lines of the units placed in it.
#include <string>
#include <vector>

#include "forms/resource/form_resource.h"
#include "tools/formc/lexer.h"
#include "tools/formc/values.h"

namespace formc {

// False with `error` = "LINE: reason" at the first mistake.
bool compile_description(const std::vector<Line>& lines, ValueContext& cx, vel::FormResource& out,
                         std::string& error);

}  // namespace formc
