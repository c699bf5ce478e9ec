#pragma once
// The fonts a window's controls draw with: the window's own font and one
// variant of it per font style word in use. A variant is made when the first
// control takes it and deleted when the last one lets it go, so changing a
// style back and forth leaks nothing.

#include <windows.h>

#include <map>
#include <string_view>

#include "common/events.h"
#include "common/font_style.h"
#include "winsvc/win32/gdi_handles.h"

namespace quellix::win32 {

class FontSet {
 public:
  // The window's font: face at points (8 when 0), normal weight.
  FontSet(std::string_view face, int points);
  FontSet(const FontSet&) = delete;
  FontSet& operator=(const FontSet&) = delete;

  HFONT Base() const { return base_.get(); }
  // The font for a style word; 0 is the window's font as it is. Each Acquire
  // is matched by one Release of the same style.
  HFONT Acquire(FontStyle style);
  void Release(FontStyle style);

 private:
  struct Variant {
    Font font;
    int users = 0;
  };
  LOGFONTA baseLook_{};
  Font base_;
  std::map<FontStyle, Variant> variants_;
};

}  // namespace quellix::win32
