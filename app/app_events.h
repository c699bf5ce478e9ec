#pragma once
// The program's own events, posted by its window procedure for the loop.

#include "common/events.h"

namespace quellix {

// A mouse button was released over the tray icon.
inline constexpr EventCode kEventTrayMenuRequest = 1025;
// The shell's taskbar came back and has forgotten every tray icon.
inline constexpr EventCode kEventTaskbarCreated = 1026;

}  // namespace quellix
