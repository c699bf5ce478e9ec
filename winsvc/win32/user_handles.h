#pragma once
// Owners for the USER objects the window services create (windows, menus):
// each is released on every path, exactly once. Icons have theirs with the
// system's calls (os::OwnedIcon), which the tray's icon uses too.

#include <windows.h>

#include "common/unique_handle.h"

namespace quellix::win32 {

struct DestroyWindowIfAlive {
  static void Free(HWND window) {
    if (::IsWindow(window)) ::DestroyWindow(window);
  }
};
struct DestroyMenuHandle {
  static void Free(HMENU menu) { ::DestroyMenu(menu); }
};

// A window destroyed with DestroyWindow, unless the system destroyed it first.
using OwnedWindow = UniqueHandle<HWND, DestroyWindowIfAlive>;
// A menu; one attached to another as its submenu goes with it, so is released.
using Menu = UniqueHandle<HMENU, DestroyMenuHandle>;

}  // namespace quellix::win32
