#include "winsvc/win32/dc_scopes.h"

#include <utility>

namespace quellix::win32 {

BufferedPaint::BufferedPaint(HWND window)
    : window_(window), screen_(::BeginPaint(window, &paint_)) {
  ::GetClientRect(window, &client_);
  MemoryDc memory(::CreateCompatibleDC(screen_));
  if (!memory) return;
  Bitmap bitmap(::CreateCompatibleBitmap(screen_, client_.right > 0 ? client_.right : 1,
                                         client_.bottom > 0 ? client_.bottom : 1));
  if (!bitmap) return;
  previousBitmap_ = ::SelectObject(memory.get(), bitmap.get());
  memory_ = std::move(memory);
  bitmap_ = std::move(bitmap);
}

BufferedPaint::~BufferedPaint() {
  if (memory_) {
    ::BitBlt(screen_, 0, 0, client_.right, client_.bottom, memory_.get(), 0, 0, SRCCOPY);
    ::SelectObject(memory_.get(), previousBitmap_);
    memory_.Reset();
    bitmap_.Reset();
  }
  ::EndPaint(window_, &paint_);
}

}  // namespace quellix::win32
