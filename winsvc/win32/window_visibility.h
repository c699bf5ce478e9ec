#pragma once
// Showing, hiding, iconizing and restoring a window such that a hidden window
// never shows on the way: Windows iconizes a hidden window with SC_MINIMIZE and
// restores it with a restoring ShowWindow, both of which would also show it.

#include <windows.h>

namespace quellix::win32 {

class WindowVisibility {
 public:
  void Attach(HWND window) { window_ = window; }

  // Hides the window, or shows it in its current size state.
  void SetHidden(bool hidden);
  // Iconizes the window, or restores it to its normal placement (or to the
  // maximized state it had before); a hidden window stays hidden.
  void SetIconized(bool iconized);
  // Gives the window this placement without showing it.
  void PlaceHidden(WINDOWPLACEMENT placement);

  // For WM_WINDOWPOSCHANGING: takes the show flag out of a position change
  // that one of the calls above makes to a hidden window.
  void Filter(WINDOWPOS& position) const;

 private:
  HWND window_ = nullptr;
  bool keepHidden_ = false;  // while a hidden window changes its size state
};

}  // namespace quellix::win32
