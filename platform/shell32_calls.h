#pragma once
// Shell calls (shell32.dll), in their Windows names and shapes.

#include "platform/win_types.h"

namespace quellix::os {

BOOL Shell_NotifyIconA(DWORD message, NOTIFYICONDATAA* data);
// A result above 32 means the shell started the file; 32 and below name the error.
HINSTANCE ShellExecuteA(HWND window, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR directory,
                        INT show);

}  // namespace quellix::os
