#include "platform/user32_calls.h"

#include "platform/sim/simulated_windows.h"

namespace quellix::os {

int MessageBoxA(HWND /*owner*/, LPCSTR text, LPCSTR caption, UINT type) {
  sim::System().messageBoxes.push_back({text ? text : "", caption ? caption : "", type});
  return 1;  // IDOK
}

LRESULT CallWindowProcA(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return previous ? previous(window, message, wParam, lParam) : 0;
}

}  // namespace quellix::os
