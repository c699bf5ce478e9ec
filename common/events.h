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

// A font style word: the weight (0 leaves it to the font, 400 normal, 700 bold)
// plus these flags.
using FontStyle = std::int32_t;
inline constexpr FontStyle kFontItalic = 4096;
inline constexpr FontStyle kFontUnderline = 8192;
inline constexpr FontStyle kFontStrikeOut = 16384;
inline constexpr FontStyle kFontWeightMask = 0x0FFF;

}  // namespace quellix
