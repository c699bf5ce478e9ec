#pragma once
// The tray icon of the benchmark's yardsticks: added as the program adds its
// own (the first form of the record, the program's icon in its small size),
// and deleted when the yardstick ends.
#include <windows.h>
// after windows.h, which it needs
#include <shellapi.h>

class MinimalTrayIcon {
 public:
  MinimalTrayIcon(HWND window, HINSTANCE instance, UINT callbackMessage) {
    icon_.cbSize = NOTIFYICONDATAA_V1_SIZE;
    icon_.hWnd = window;
    icon_.uID = 100;
    icon_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    icon_.uCallbackMessage = callbackMessage;
    icon_.hIcon = static_cast<HICON>(::LoadImageA(instance, "CLARION_ICO", IMAGE_ICON, 16, 16, 0));
    ::lstrcpynA(icon_.szTip, "Minimal.", sizeof icon_.szTip);
    ::Shell_NotifyIconA(NIM_ADD, &icon_);
  }
  ~MinimalTrayIcon() {
    ::Shell_NotifyIconA(NIM_DELETE, &icon_);
    if (icon_.hIcon) ::DestroyIcon(icon_.hIcon);
  }
  MinimalTrayIcon(const MinimalTrayIcon&) = delete;
  MinimalTrayIcon& operator=(const MinimalTrayIcon&) = delete;

 private:
  NOTIFYICONDATAA icon_{};
};
