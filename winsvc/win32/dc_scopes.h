#pragma once
// Scopes of drawing on a device context: each puts back or releases what it
// took when it goes.

#include <windows.h>

#include "winsvc/win32/gdi_handles.h"

namespace quellix::win32 {

// An object selected into a device context, put back when this goes.
class Selection {
 public:
  Selection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(::SelectObject(dc, object)) {}
  ~Selection() { ::SelectObject(dc_, previous_); }
  Selection(const Selection&) = delete;
  Selection& operator=(const Selection&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// A window's device context from GetDC.
class WindowDc {
 public:
  explicit WindowDc(HWND window) : window_(window), dc_(::GetDC(window)) {}
  ~WindowDc() { ::ReleaseDC(window_, dc_); }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// One WM_PAINT, drawn off screen and copied in one go, so nothing flickers.
// Where the system cannot make the off-screen bitmap (GDI exhausted, which is
// when a window most needs to show what it holds), it is drawn straight onto
// the window instead: it may flicker, but it shows.
class BufferedPaint {
 public:
  explicit BufferedPaint(HWND window);
  ~BufferedPaint();
  BufferedPaint(const BufferedPaint&) = delete;
  BufferedPaint& operator=(const BufferedPaint&) = delete;

  // Where to draw the window's client area: off screen, or the window's own.
  HDC dc() const { return memory_ ? memory_.get() : screen_; }
  // The window's own, whose clipping holds for the copy as well.
  HDC windowDc() const { return screen_; }
  const RECT& client() const { return client_; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
  HDC screen_;
  RECT client_{};
  // Both or neither: the bitmap is selected into the memory context.
  MemoryDc memory_;
  Bitmap bitmap_;
  HGDIOBJ previousBitmap_ = nullptr;
};

}  // namespace quellix::win32
