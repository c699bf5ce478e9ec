#include "platform/user32_calls.h"

#include "platform/win32/system_functions.h"

namespace quellix::os {

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
  return ::MessageBoxA(owner, text, caption, type);
}

LRESULT CallWindowProcA(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return ::CallWindowProcA(previous, window, message, wParam, lParam);
}

HANDLE LoadImageA(HINSTANCE instance, LPCSTR name, UINT type, int cx, int cy, UINT flags) {
  return ::LoadImageA(instance, name, type, cx, cy, flags);
}

BOOL DestroyIcon(HICON icon) { return ::DestroyIcon(icon); }

UINT RegisterWindowMessageA(LPCSTR name) { return ::RegisterWindowMessageA(name); }

BOOL SetForegroundWindow(HWND window) { return ::SetForegroundWindow(window); }

HWND FindWindowA(LPCSTR className, LPCSTR windowName) {
  return ::FindWindowA(className, windowName);
}

namespace {

BOOL Missing() {
  ::SetLastError(ERROR_PROC_NOT_FOUND);
  return FALSE;
}

}  // namespace

BOOL ChangeWindowMessageFilterEx(HWND window, UINT message, DWORD action) {
  const auto change = win32::System().ChangeWindowMessageFilterEx;
  return change ? change(window, message, action, nullptr) : Missing();
}

BOOL ChangeWindowMessageFilter(UINT message, DWORD flag) {
  const auto change = win32::System().ChangeWindowMessageFilter;
  return change ? change(message, flag) : Missing();
}

}  // namespace quellix::os
