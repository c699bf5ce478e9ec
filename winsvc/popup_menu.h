#pragma once
// The pop-up menu: a menu built from a menu string (winsvc/menu_string.h),
// shown at a point of the screen until the user chooses or dismisses it.

#include <string_view>

namespace quellix {

// A coordinate with this value stands for that of the mouse pointer.
inline constexpr int kPointerCoordinate = -2147483647 - 1;

// Shows the menu with its top-left corner at (x, y) in screen pixels and waits
// until it closes; window messages are handled meanwhile. Returns the number
// of the chosen item, 0 when the menu was dismissed or nothing could be chosen.
int ShowPopupMenu(std::string_view menuString, int x, int y);

}  // namespace quellix
