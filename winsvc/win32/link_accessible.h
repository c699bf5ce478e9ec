#pragma once
// What assistive technology reads of a link: a link, named by the text it
// lies over, which it can follow. Windows' own object of the link's window
// answers the rest (where it is, what it lies in, whether it has the focus).

#include <windows.h>

namespace quellix::win32 {

// Posted to the link's window when assistive technology follows the link: its
// window then presses it, as Enter does.
inline constexpr UINT kFollowLinkMessage = WM_USER + 1;

// The answer to WM_GETOBJECT for the link's client area, with its wParam: an
// object reference for the asker, or 0 when none can be made (the system's
// accessibility library is missing), and the system answers instead.
LRESULT LinkObjectReference(HWND link, WPARAM wParam);

}  // namespace quellix::win32
