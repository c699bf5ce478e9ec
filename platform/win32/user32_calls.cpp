#include "platform/user32_calls.h"

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

UINT RegisterWindowMessageA(LPCSTR name) { return ::RegisterWindowMessageA(name); }

}  // namespace quellix::os
