#pragma once
// User-interface calls (user32.dll), in their Windows names and shapes.

#include "platform/win_types.h"

namespace quellix::os {

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type);
// Hands a message to a window procedure that a replacement took over from.
LRESULT CallWindowProcA(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
HANDLE LoadImageA(HINSTANCE instance, LPCSTR name, UINT type, int cx, int cy, UINT flags);
// The same number for the same name in every process of the session.
UINT RegisterWindowMessageA(LPCSTR name);

}  // namespace quellix::os
