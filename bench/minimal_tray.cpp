// The least a tray program does: a hidden window, an icon in the notification
// area, a message loop. The yardstick for the program's own start-up and memory.
#include <windows.h>

#include "minimal_tray_icon.h"

namespace {

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CLOSE) {
    ::DestroyWindow(window);
    return 0;
  }
  if (message == WM_DESTROY) {
    ::PostQuitMessage(0);
    return 0;
  }
  return ::DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = &Procedure;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = "MinimalTray";
  ::RegisterClassA(&windowClass);
  HWND window = ::CreateWindowExA(0, "MinimalTray", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  instance, nullptr);
  const MinimalTrayIcon icon(window, instance, WM_USER + 64);
  MSG message;
  while (::GetMessageA(&message, nullptr, 0, 0) > 0) ::DispatchMessageA(&message);
  return 0;
}
