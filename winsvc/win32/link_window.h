#pragma once
// A link's window: an invisible region that takes the keyboard focus and is
// read by assistive technology as a link named by the text it lies over. The
// pointer passes through it to the main window, which tracks it over every
// region alike, and the main window draws the link's text and, while the link
// has the focus, the focus rectangle around it.

#include <windows.h>

#include <string_view>

#include "winsvc/win32/com_apartment.h"

namespace quellix::win32 {

// Creates the window, hidden, as a child of parent at rect (pixels), named
// name, with the identifier number. Objects handed to assistive technology
// need the apartment, which must outlive the window.
HWND CreateLinkWindow(HWND parent, int number, const RECT& rect, std::string_view name,
                      ComApartment* apartment);

}  // namespace quellix::win32
