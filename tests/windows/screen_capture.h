#pragma once
// What a window shows on the screen, read back pixel by pixel.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace quellix::testing {

class Capture {
 public:
  // The client area of window as the screen shows it now.
  static Capture OfClientArea(HWND window);
  // The client area of window as it draws itself when asked (WM_PRINTCLIENT),
  // independent of when the screen catches up.
  static Capture Printed(HWND window);

  int Width() const { return width_; }
  int Height() const { return height_; }
  COLORREF At(int x, int y) const { return pixels_[static_cast<std::size_t>(y) * width_ + x]; }
  // Writes a 24-bit BMP file.
  bool SaveBmp(const std::string& path) const;

 private:
  // A bitmap of the window's client size, drawn by draw(memory, screen, width, height).
  static Capture Drawn(HWND window, const std::function<void(HDC, HDC, int, int)>& draw);

  int width_ = 0;
  int height_ = 0;
  std::vector<COLORREF> pixels_;  // rows top to bottom
};

}  // namespace quellix::testing
