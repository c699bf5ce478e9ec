#include "winsvc/win32/dialog_units.h"

#include "winsvc/win32/text_drawing.h"

namespace quellix::win32 {

DialogUnits::DialogUnits(HFONT font) {
  // The average over the letters, as dialog templates measure it: closer to
  // what text needs than the font's own tmAveCharWidth.
  static constexpr char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  const SIZE letters = TextExtent(font, kLetters, TextOrigin::kProgram);
  const SIZE line = TextExtent(font, "", TextOrigin::kProgram);
  if (letters.cx > 0) averageWidth_ = (letters.cx / 26 + 1) / 2;
  if (line.cy > 0) height_ = line.cy;
}

}  // namespace quellix::win32
