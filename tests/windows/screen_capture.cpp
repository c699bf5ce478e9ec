#include "screen_capture.h"

#include <cstdio>
#include <functional>
#include <memory>

namespace quellix::testing {

Capture Capture::OfClientArea(HWND window) {
  POINT origin{0, 0};
  ::ClientToScreen(window, &origin);
  return Capture::Drawn(window, [&](HDC memory, HDC screen, int width, int height) {
    ::BitBlt(memory, 0, 0, width, height, screen, origin.x, origin.y, SRCCOPY);
  });
}

Capture Capture::Printed(HWND window) {
  return Capture::Drawn(window, [&](HDC memory, HDC, int, int) {
    ::SendMessageA(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT);
  });
}

Capture Capture::Drawn(HWND window, const std::function<void(HDC, HDC, int, int)>& draw) {
  Capture capture;
  RECT client{};
  ::GetClientRect(window, &client);
  capture.width_ = client.right;
  capture.height_ = client.bottom;

  HDC screen = ::GetDC(nullptr);
  HDC memory = ::CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = capture.width_;
  info.bmiHeader.biHeight = -capture.height_;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ previous = ::SelectObject(memory, bitmap);
  draw(memory, screen, capture.width_, capture.height_);
  ::GdiFlush();
  const auto* bgrx = static_cast<const BYTE*>(bits);
  capture.pixels_.resize(static_cast<std::size_t>(capture.width_) * capture.height_);
  for (std::size_t i = 0; i < capture.pixels_.size(); ++i) {
    capture.pixels_[i] = RGB(bgrx[4 * i + 2], bgrx[4 * i + 1], bgrx[4 * i]);
  }
  ::SelectObject(memory, previous);
  ::DeleteObject(bitmap);
  ::DeleteDC(memory);
  ::ReleaseDC(nullptr, screen);
  return capture;
}

bool Capture::SaveBmp(const std::string& path) const {
  const int rowBytes = (width_ * 3 + 3) & ~3;
  BITMAPFILEHEADER file{};
  BITMAPINFOHEADER header{};
  header.biSize = sizeof header;
  header.biWidth = width_;
  header.biHeight = height_;  // bottom-up
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biSizeImage = static_cast<DWORD>(rowBytes * height_);
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof header;
  file.bfSize = file.bfOffBits + header.biSizeImage;
  const std::unique_ptr<FILE, int (*)(FILE*)> out(std::fopen(path.c_str(), "wb"), &std::fclose);
  if (!out) return false;
  std::fwrite(&file, sizeof file, 1, out.get());
  std::fwrite(&header, sizeof header, 1, out.get());
  std::vector<BYTE> row(static_cast<std::size_t>(rowBytes), 0);
  for (int y = height_ - 1; y >= 0; --y) {
    for (int x = 0; x < width_; ++x) {
      const COLORREF pixel = At(x, y);
      row[3 * x] = GetBValue(pixel);
      row[3 * x + 1] = GetGValue(pixel);
      row[3 * x + 2] = GetRValue(pixel);
    }
    std::fwrite(row.data(), 1, row.size(), out.get());
  }
  return true;
}

}  // namespace quellix::testing
