#pragma once
// Event codes and the numbering of controls, shared by the window services and
// the program.

#include <cstdint>

namespace quellix {

using EventCode = std::int32_t;
using ControlNumber = std::int32_t;

// Control number 0 names the window itself.
inline constexpr ControlNumber kWindowItself = 0;

inline constexpr EventCode kEventAccepted = 1;
inline constexpr EventCode kEventPointerEntered = 11;
inline constexpr EventCode kEventPointerLeft = 12;
inline constexpr EventCode kEventAlertKey = 15;
inline constexpr EventCode kEventPreAlert = 16;
inline constexpr EventCode kEventCloseWindow = 513;
inline constexpr EventCode kEventRestored = 562;
inline constexpr EventCode kEventMaximized = 563;
inline constexpr EventCode kEventIconized = 564;
// Codes from here up are the program's own; the window services pass them through.
inline constexpr EventCode kFirstApplicationEvent = 1024;

}  // namespace quellix
