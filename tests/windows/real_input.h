#pragma once
// Real mouse input, as the system delivers the user's.

#include <windows.h>

namespace quellix::testing {

// Moves the pointer to a screen point. Under Wine the system moves its own
// pointer at once and warps the X pointer after it, and the X server echoes
// the warp back as a motion at the old point; left pending, that echo would
// land after the next move and send the pointer back. Asking for the pointer
// position once it is more than 100 ms old makes Wine ask the X server, which
// sends the warp out now, so its echo arrives while the caller still waits.
inline void MovePointerTo(POINT point) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = point.x * 65535 / (::GetSystemMetrics(SM_CXSCREEN) - 1);
  input.mi.dy = point.y * 65535 / (::GetSystemMetrics(SM_CYSCREEN) - 1);
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  ::SendInput(1, &input, sizeof input);
  ::Sleep(120);
  POINT now{};
  ::GetCursorPos(&now);
}

}  // namespace quellix::testing
