#pragma once
// Identifiers of the program's two windows and the units the logic names.
#include "forms/resource/form_resource.h"

namespace vel::ids {

inline constexpr WindowId kClockWindow = 0x52010001;
inline constexpr UnitId kClockWindowUnit = 0x06010000;
inline constexpr UnitId k右键 = 0x26010010;
inline constexpr UnitId k半点报时 = 0x26010012;
inline constexpr UnitId k置于顶层 = 0x26010015;
inline constexpr UnitId k时钟1 = 0x16010002;
inline constexpr UnitId k画板1 = 0x16010003;
inline constexpr UnitId k画板2 = 0x160113B1;

inline constexpr WindowId kAlarmEditor = 0x52011523;
inline constexpr UnitId kAlarmEditorUnit = 0x06011522;
inline constexpr UnitId k名称输入 = 0x16011527;
inline constexpr UnitId k小时框 = 0x16011529;
inline constexpr UnitId k分钟框 = 0x1601154A;
inline constexpr UnitId k铃声列表框 = 0x16011541;
inline constexpr UnitId k修改闹铃 = 0x16011548;
inline constexpr UnitId k增加闹铃 = 0x16011549;
inline constexpr UnitId k删除闹铃 = 0x16011608;
inline constexpr UnitId k关闭闹铃 = 0x16011609;
inline constexpr UnitId k闹铃列表框 = 0x160115F8;

}  // namespace vel::ids
