#pragma once
// Real mouse and keyboard input, as the system delivers the user's.

#include <windows.h>

#include <initializer_list>
#include <vector>

namespace quellix::testing {

// A mouse event at a screen point, in the 0..65535 coordinates of absolute input.
inline INPUT MouseAt(POINT point, DWORD buttons) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = point.x * 65535 / (::GetSystemMetrics(SM_CXSCREEN) - 1);
  input.mi.dy = point.y * 65535 / (::GetSystemMetrics(SM_CYSCREEN) - 1);
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | buttons;
  return input;
}

// Moves the pointer to a screen point. Under Wine the system moves its own
// pointer at once and warps the X pointer after it, and the X server echoes
// the warp back as a motion at the old point; left pending, that echo would
// land after the next move and send the pointer back. Asking for the pointer
// position once it is more than 100 ms old makes Wine ask the X server, which
// sends the warp out now, so its echo arrives while the caller still waits.
inline void MovePointerTo(POINT point) {
  INPUT input = MouseAt(point, 0);
  ::SendInput(1, &input, sizeof input);
  ::Sleep(120);
  POINT now{};
  ::GetCursorPos(&now);
}

// A left click at a screen point. Each event carries the point, so the click
// lands there even if a late echo of an earlier pointer warp moves the
// pointer in between.
inline void ClickAt(POINT point) {
  MovePointerTo(point);
  INPUT clicks[2] = {MouseAt(point, MOUSEEVENTF_LEFTDOWN), MouseAt(point, MOUSEEVENTF_LEFTUP)};
  ::SendInput(2, clicks, sizeof clicks[0]);
}

// Presses the keys in order and lets them go in the reverse order: {VK_TAB},
// {VK_SHIFT, VK_TAB}, {VK_CONTROL, VK_NEXT}.
inline void PressKeys(std::initializer_list<WORD> keys) {
  std::vector<INPUT> strokes;
  for (const WORD key : keys) {
    INPUT down{};
    down.type = INPUT_KEYBOARD;
    down.ki.wVk = key;
    strokes.push_back(down);
  }
  for (auto key = std::rbegin(keys); key != std::rend(keys); ++key) {
    INPUT up{};
    up.type = INPUT_KEYBOARD;
    up.ki.wVk = *key;
    up.ki.dwFlags = KEYEVENTF_KEYUP;
    strokes.push_back(up);
  }
  ::SendInput(static_cast<UINT>(strokes.size()), strokes.data(), sizeof(INPUT));
}

}  // namespace quellix::testing
