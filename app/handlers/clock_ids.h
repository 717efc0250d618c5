#pragma once
// Identifiers of the program's two windows and the units the logic names.
#include "forms/resource/form_resource.h"

namespace vel::ids {

inline constexpr WindowId kClockWindow = 0x52010001;
inline constexpr UnitId kClockWindowUnit = 0x06010000;
inline constexpr UnitId k右键 = 0x26010010;
inline constexpr UnitId k时钟1 = 0x16010002;
inline constexpr UnitId k画板1 = 0x16010003;
inline constexpr UnitId k画板2 = 0x160113B1;

inline constexpr WindowId kAlarmEditor = 0x52011523;
inline constexpr UnitId kAlarmEditorUnit = 0x06011522;

}  // namespace vel::ids
