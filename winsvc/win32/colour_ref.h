#pragma once
// A window definition's colour as GDI takes it.

#include <windows.h>

#include "winsvc/window_definition.h"

namespace quellix::win32 {

inline COLORREF ToColorRef(const Colour& colour) {
  return RGB(colour.red, colour.green, colour.blue);
}

}  // namespace quellix::win32
