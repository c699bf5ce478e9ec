#pragma once
// The program's own module: the one every window class, window and resource
// of the window services belongs to.

#include <windows.h>

namespace quellix::win32 {

inline HINSTANCE ThisModule() { return ::GetModuleHandleA(nullptr); }

}  // namespace quellix::win32
