#pragma once
// The program from start to exit.

namespace quellix {

inline constexpr char kSingleInstanceName[] = "Quellix is there";

// Start-up: false when another copy runs or no window can be made, and then
// nothing but the guard is left open. Otherwise the window is open, hidden,
// and its icon in the tray (or waiting for a taskbar to come up).
bool StartUp();
// The event loop, until the pass that handled a close-window event.
void RunEventLoop();
void ShutDown();

// All three; the exit code, always 0.
int RunQuellix();

}  // namespace quellix
