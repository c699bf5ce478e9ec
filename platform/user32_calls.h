#pragma once
// User-interface calls (user32.dll), in their Windows names and shapes.

#include "platform/win_types.h"

namespace quellix::os {

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type);

}  // namespace quellix::os
