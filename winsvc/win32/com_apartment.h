#pragma once
// COM on the window's thread, for assistive technology: the objects a window
// hands out on WM_GETOBJECT are marshalled to the program that reads them,
// which takes an apartment. It is entered when first needed, and left when
// this goes; a program nobody reads never enters it.

#include "platform/ole32_calls.h"

namespace quellix::win32 {

class ComApartment {
 public:
  ComApartment() = default;
  ~ComApartment() {
    if (entered_) os::CoUninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

  // Enters the apartment once; another entry by the program (S_FALSE) counts
  // as one of its own, and is left as one.
  void Enter() {
    if (tried_) return;
    tried_ = true;
    entered_ = SUCCEEDED(os::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
  }

 private:
  bool tried_ = false;
  bool entered_ = false;
};

}  // namespace quellix::win32
