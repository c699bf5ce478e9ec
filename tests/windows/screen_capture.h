#pragma once
// What a window shows on the screen, read back pixel by pixel.

#include <windows.h>

#include <string>
#include <vector>

namespace quellix::testing {

class Capture {
 public:
  // The client area of window as the screen shows it now.
  static Capture OfClientArea(HWND window);

  int Width() const { return width_; }
  int Height() const { return height_; }
  COLORREF At(int x, int y) const { return pixels_[static_cast<std::size_t>(y) * width_ + x]; }
  // Writes a 24-bit BMP file.
  bool SaveBmp(const std::string& path) const;

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<COLORREF> pixels_;  // rows top to bottom
};

}  // namespace quellix::testing
