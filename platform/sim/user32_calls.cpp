#include "platform/user32_calls.h"

#include "platform/sim/simulated_windows.h"

namespace quellix::os {

int MessageBoxA(HWND /*owner*/, LPCSTR text, LPCSTR caption, UINT type) {
  sim::System().messageBoxes.push_back({text ? text : "", caption ? caption : "", type});
  return 1;  // IDOK
}

}  // namespace quellix::os
