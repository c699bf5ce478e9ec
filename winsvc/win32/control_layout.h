#pragma once
// Where a control of the definition lies on the window, in pixels: its place
// from the definition, its size from the definition or, where the definition
// leaves it to the content, measured from its text in its font.

#include <windows.h>

#include <string_view>

#include "winsvc/win32/dialog_units.h"
#include "winsvc/window_definition.h"

namespace quellix::win32 {

// The control's rectangle in the client area, showing text in font.
RECT ControlRect(const ControlDefinition& definition, std::string_view text, HFONT font,
                 const DialogUnits& units);

}  // namespace quellix::win32
