#pragma once
// User-interface calls (user32.dll), in their Windows names and shapes.

#include "common/unique_handle.h"
#include "platform/win_types.h"

namespace quellix::os {

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type);
// Hands a message to a window procedure that a replacement took over from.
LRESULT CallWindowProcA(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
HANDLE LoadImageA(HINSTANCE instance, LPCSTR name, UINT type, int cx, int cy, UINT flags);
BOOL DestroyIcon(HICON icon);
// An icon loaded with LoadImageA, released with DestroyIcon.
struct DestroyIconHandle {
  static void Free(HICON icon) { os::DestroyIcon(icon); }
};
using OwnedIcon = UniqueHandle<HICON, DestroyIconHandle>;
// The same number for the same name in every process of the session.
UINT RegisterWindowMessageA(LPCSTR name);
// The foreground window takes the keyboard; the system grants the change to a
// process that has just handled the user's input, such as a click in its menu.
BOOL SetForegroundWindow(HWND window);
// A top-level window of the class (and title, when one is given); null when none.
HWND FindWindowA(LPCSTR className, LPCSTR windowName);

// The message filter that keeps messages of lower-integrity programs (the shell,
// when the program runs elevated) away from the program's windows, on Vista and
// later. Windows 7 lets a message through to one window (no status record is
// asked for); Vista has only the filter of the whole process; XP has no filter.
// Each returns FALSE with the last error ERROR_PROC_NOT_FOUND where the system
// lacks the function.
BOOL ChangeWindowMessageFilterEx(HWND window, UINT message, DWORD action);
BOOL ChangeWindowMessageFilter(UINT message, DWORD flag);
// Their values, which the system headers declare only for builds for Vista on.
inline constexpr DWORD kMessageFilterAllow = 1;  // MSGFLT_ALLOW
inline constexpr DWORD kMessageFilterAdd = 1;    // MSGFLT_ADD

}  // namespace quellix::os
