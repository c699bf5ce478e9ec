#pragma once
// Owners for the GDI objects the window services create: each is released on
// every path, exactly once.

#include <windows.h>

#include "common/unique_handle.h"

namespace quellix::win32 {

struct DeleteGdiObject {
  static void Free(HGDIOBJ object) { ::DeleteObject(object); }
};
struct DeleteDeviceContext {
  static void Free(HDC dc) { ::DeleteDC(dc); }
};

// GDI objects (fonts, brushes, pens, bitmaps), deleted with DeleteObject.
using Font = UniqueHandle<HFONT, DeleteGdiObject>;
using Brush = UniqueHandle<HBRUSH, DeleteGdiObject>;
using Pen = UniqueHandle<HPEN, DeleteGdiObject>;
using Bitmap = UniqueHandle<HBITMAP, DeleteGdiObject>;
// A device context of our own making (CreateCompatibleDC), deleted with DeleteDC.
using MemoryDc = UniqueHandle<HDC, DeleteDeviceContext>;

}  // namespace quellix::win32
