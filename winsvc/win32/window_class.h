#pragma once
// The window classes of the window services, and the object of ours that each
// of their windows belongs to.

#include <windows.h>

#include "winsvc/win32/this_module.h"

namespace quellix::win32 {

// Registers the class for this module once: a later call finds it registered.
// False when it is not registered.
inline bool RegisterWindowClass(const char* name, WNDPROC procedure, UINT style, HCURSOR cursor) {
  const HINSTANCE module = ThisModule();
  WNDCLASSA windowClass{};
  if (::GetClassInfoA(module, name, &windowClass)) return true;
  windowClass.style = style;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = module;
  windowClass.hCursor = cursor;
  windowClass.lpszClassName = name;
  return ::RegisterClassA(&windowClass) != 0;
}

// For a window procedure: the object the window was created for (the creation
// parameter of CreateWindowEx), kept with the window from WM_NCCREATE on. Null
// for the few messages before it, and after Unbind.
template <typename Owner>
Owner* BoundOwner(HWND window, UINT message, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* creation = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    ::SetWindowLongPtrA(window, GWLP_USERDATA,
                        reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
  }
  return reinterpret_cast<Owner*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
}

// The window's messages no longer reach its object: for an object that goes
// before its window.
inline void Unbind(HWND window) { ::SetWindowLongPtrA(window, GWLP_USERDATA, 0); }

}  // namespace quellix::win32
