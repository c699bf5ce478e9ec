#include "font_count.h"

#include <windows.h>

#include <set>

#include "import_reroute.h"

namespace quellix::testing {
namespace {

using CreateFontIndirectAFunction = decltype(&::CreateFontIndirectA);
using DeleteObjectFunction = decltype(&::DeleteObject);

CreateFontIndirectAFunction originalCreateFont = nullptr;
DeleteObjectFunction originalDeleteObject = nullptr;
// Fonts are made and deleted on the window's thread only.
std::set<HGDIOBJ>& LiveFonts() {
  static std::set<HGDIOBJ> fonts;
  return fonts;
}

HFONT WINAPI CountingCreateFontIndirectA(const LOGFONTA* look) {
  const HFONT font = originalCreateFont(look);
  if (font) LiveFonts().insert(font);
  return font;
}

BOOL WINAPI CountingDeleteObject(HGDIOBJ object) {
  const BOOL deleted = originalDeleteObject(object);
  if (deleted) LiveFonts().erase(object);
  return deleted;
}

// For the whole run of the test program.
const ImportReroute createFont("gdi32.dll", "CreateFontIndirectA",
                               reinterpret_cast<void*>(&CountingCreateFontIndirectA));
const ImportReroute deleteObject("gdi32.dll", "DeleteObject",
                                 reinterpret_cast<void*>(&CountingDeleteObject));

bool StartCounting() {
  originalCreateFont = reinterpret_cast<CreateFontIndirectAFunction>(createFont.Original());
  originalDeleteObject = reinterpret_cast<DeleteObjectFunction>(deleteObject.Original());
  return originalCreateFont != nullptr && originalDeleteObject != nullptr;
}

const bool counting = StartCounting();

}  // namespace

bool FontCountIsRunning() { return counting; }

int FontsAlive() { return static_cast<int>(LiveFonts().size()); }

}  // namespace quellix::testing
