#pragma once
// One control of the main window as the Win32 binding holds it: where it is,
// the font it draws with, and whatever of its own it needs to show.

#include <windows.h>

#include <memory>

#include "common/font_style.h"
#include "platform/user32_calls.h"
#include "winsvc/win32/list_control.h"
#include "winsvc/window_definition.h"

namespace quellix::win32 {

struct WindowControl {
  const ControlDefinition* definition = nullptr;
  HWND child = nullptr;  // the control's own window, if it has one
  RECT rect{};           // pixels, in the client area
  FontStyle style = 0;
  HFONT font = nullptr;
  std::unique_ptr<ListControl> list;  // a list: its control, whose window is child
  os::OwnedIcon image;                // an image: its icon, at the control's size
};

}  // namespace quellix::win32
