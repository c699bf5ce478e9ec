#include "winsvc/win32/window_visibility.h"

namespace quellix::win32 {

void WindowVisibility::SetHidden(bool hidden) {
  if (hidden) {
    ::ShowWindow(window_, SW_HIDE);
    return;
  }
  const LONG style = ::GetWindowLongA(window_, GWL_STYLE);
  ::ShowWindow(window_, (style & WS_MINIMIZE)   ? SW_SHOWMINNOACTIVE
                        : (style & WS_MAXIMIZE) ? SW_SHOWMAXIMIZED
                                                : SW_SHOW);
}

void WindowVisibility::SetIconized(bool iconized) {
  const bool isIconized = (::GetWindowLongA(window_, GWL_STYLE) & WS_MINIMIZE) != 0;
  if (iconized == isIconized) return;
  if (::IsWindowVisible(window_)) {
    ::ShowWindow(window_, iconized ? SW_SHOWMINNOACTIVE : SW_SHOWNOACTIVATE);
    return;
  }
  // The window keeps itself hidden meanwhile by taking the show flag out of
  // every position change. (Clearing WS_MINIMIZE with SetWindowLong is not
  // honoured by every system.)
  keepHidden_ = true;
  if (iconized) {
    ::SendMessageA(window_, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  } else {
    ::ShowWindow(window_, SW_SHOWNOACTIVATE);
  }
  keepHidden_ = false;
}

void WindowVisibility::PlaceHidden(WINDOWPLACEMENT placement) {
  placement.showCmd = SW_HIDE;
  keepHidden_ = true;
  ::SetWindowPlacement(window_, &placement);
  keepHidden_ = false;
}

void WindowVisibility::Filter(WINDOWPOS& position) const {
  if (keepHidden_) position.flags = (position.flags & ~SWP_SHOWWINDOW) | SWP_NOACTIVATE;
}

}  // namespace quellix::win32
