// The least a tray program does to show a window: the minimal tray program,
// whose tray menu's one item About shows a window with one themed button
// (common controls 6, by the same manifest as the program's). The yardstick for
// the program's first show from the tray, and its memory after it.
#include <windows.h>

#include "minimal_tray_icon.h"

namespace {

constexpr UINT kTrayCallback = WM_USER + 64;
constexpr UINT_PTR kAboutItem = 1;
constexpr int kButtonId = 13;

// Made on the first show, as a tray program that starts lean makes it.
void ShowWindowWithButton(HWND window) {
  if (!::GetDlgItem(window, kButtonId)) {
    ::CreateWindowExA(0, "BUTTON", "Close", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 358,
                      112, 68, 23, window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kButtonId)),
                      ::GetModuleHandleA(nullptr), nullptr);
  }
  ::ShowWindow(window, SW_SHOW);
}

void RunTrayMenu(HWND window) {
  HMENU menu = ::CreatePopupMenu();
  ::AppendMenuA(menu, MF_STRING, kAboutItem, "About");
  POINT pointer{};
  ::GetCursorPos(&pointer);
  // Foreground first, and a benign message after, or the menu would not close
  // on a click elsewhere.
  ::SetForegroundWindow(window);
  const UINT_PTR chosen = ::TrackPopupMenu(menu, TPM_RETURNCMD | TPM_NONOTIFY, pointer.x, pointer.y,
                                           0, window, nullptr);
  ::PostMessageA(window, WM_NULL, 0, 0);
  ::DestroyMenu(menu);
  if (chosen == kAboutItem) ShowWindowWithButton(window);
}

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case kTrayCallback:
      if (LOWORD(lParam) == WM_LBUTTONUP || LOWORD(lParam) == WM_RBUTTONUP) RunTrayMenu(window);
      return 0;
    case WM_COMMAND:
      if (LOWORD(wParam) == kButtonId) ::ShowWindow(window, SW_HIDE);
      return 0;
    case WM_CLOSE:
      ::DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      ::PostQuitMessage(0);
      return 0;
    default:
      return ::DefWindowProcA(window, message, wParam, lParam);
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = &Procedure;
  windowClass.hInstance = instance;
  windowClass.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
  windowClass.hbrBackground = static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH));
  windowClass.lpszClassName = "MinimalWindow";
  ::RegisterClassA(&windowClass);
  // About the size of the program's window, centred.
  constexpr int kWidth = 434;
  constexpr int kHeight = 210;
  HWND window = ::CreateWindowExA(0, "MinimalWindow", "", WS_POPUP | WS_BORDER,
                                  (::GetSystemMetrics(SM_CXSCREEN) - kWidth) / 2,
                                  (::GetSystemMetrics(SM_CYSCREEN) - kHeight) / 2, kWidth, kHeight,
                                  nullptr, nullptr, instance, nullptr);
  const MinimalTrayIcon icon(window, instance, kTrayCallback);
  MSG message;
  while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
  }
  return 0;
}
