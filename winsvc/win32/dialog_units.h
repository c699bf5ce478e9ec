#pragma once
// Dialog units of a font: one horizontal unit is a quarter of its average
// character width, one vertical unit an eighth of its height.

#include <windows.h>

namespace quellix::win32 {

class DialogUnits {
 public:
  explicit DialogUnits(HFONT font);

  int ToPixelsX(int units) const { return ::MulDiv(units, averageWidth_, 4); }
  int ToPixelsY(int units) const { return ::MulDiv(units, height_, 8); }
  // Pixels back to units, rounded down, so a point inside a control in pixels
  // is inside it in units too.
  int ToUnitsX(int pixels) const { return FloorDiv(pixels * 4, averageWidth_); }
  int ToUnitsY(int pixels) const { return FloorDiv(pixels * 8, height_); }

  int AverageCharWidth() const { return averageWidth_; }
  int CharHeight() const { return height_; }

 private:
  static int FloorDiv(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }
  int averageWidth_ = 4;
  int height_ = 8;
};

}  // namespace quellix::win32
