#pragma once
// The drawing of the controls that the main window paints itself, over its
// background: texts, lines, the option group's box and images. Sheets, tabs
// and regions show nothing of their own.

#include <windows.h>

#include <string_view>

#include "winsvc/win32/dialog_units.h"
#include "winsvc/win32/window_control.h"

namespace quellix::win32 {

struct WindowLook {
  COLORREF text;
  HBRUSH background;
  const DialogUnits& units;
};

// Draws the control, showing text, into dc.
void PaintControl(HDC dc, const WindowControl& control, std::string_view text,
                  const WindowLook& look);

}  // namespace quellix::win32
