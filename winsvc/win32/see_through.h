#pragma once
// What makes a child window see-through: it draws nothing (the main window
// draws what shows there) and lets the pointer through to the main window.

#include <windows.h>

namespace quellix::win32 {

// Answers the message as a see-through window does; false for a message that
// is not about drawing or the pointer, which the window handles itself.
inline bool AnswerSeeThrough(HWND window, UINT message, LRESULT* result) {
  switch (message) {
    case WM_NCHITTEST:
      *result = HTTRANSPARENT;
      return true;
    case WM_ERASEBKGND:
      *result = 1;
      return true;
    case WM_PAINT:
      ::ValidateRect(window, nullptr);
      *result = 0;
      return true;
    case WM_PRINTCLIENT:
      *result = 0;
      return true;
    default:
      return false;
  }
}

}  // namespace quellix::win32
