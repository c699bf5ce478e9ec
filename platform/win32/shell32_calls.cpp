#include "platform/shell32_calls.h"

namespace quellix::os {

// The program's tray record is the first version of the structure, which ends
// with szTip; the shell tells the versions apart by cbSize alone.
// (The 64-bit build that runs the tests under 64-bit Wine has a larger one.)
static_assert(sizeof(void*) != 4 || NOTIFYICONDATAA_V1_SIZE == 88,
              "the first-version tray record is 88 bytes");

BOOL Shell_NotifyIconA(DWORD message, NOTIFYICONDATAA* data) {
  return ::Shell_NotifyIconA(message, data);
}

HINSTANCE ShellExecuteA(HWND window, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR directory,
                        INT show) {
  return ::ShellExecuteA(window, verb, file, parameters, directory, show);
}

}  // namespace quellix::os
