#include "winsvc/win32/dialog_units.h"

#include "winsvc/win32/dc_scopes.h"
#include "winsvc/win32/text_drawing.h"

namespace quellix::win32 {

DialogUnits::DialogUnits(HFONT font) {
  WindowDc screen(nullptr);
  const Selection selected(screen.get(), font);
  TEXTMETRICA metrics{};
  ::GetTextMetricsA(screen.get(), &metrics);
  // The average over the letters, as dialog templates measure it: closer to
  // what text needs than the font's own tmAveCharWidth.
  static constexpr char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  const SIZE extent = TextExtentOf(screen.get(), kLetters, TextOrigin::kProgram);
  if (extent.cx > 0) averageWidth_ = (extent.cx / 26 + 1) / 2;
  if (metrics.tmHeight > 0) height_ = metrics.tmHeight;
}

}  // namespace quellix::win32
