#include "font_count.h"

#include <windows.h>

#include <cstring>
#include <set>

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

// Points the import slot of `name` from gdi32 at `replacement`, and returns
// what the slot held (null when this program does not import it).
void* Reroute(const char* name, void* replacement) {
  auto* const base = reinterpret_cast<BYTE*>(::GetModuleHandleA(nullptr));
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  const auto* headers = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& imports =
      headers->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  if (imports.VirtualAddress == 0) return nullptr;
  for (auto* dll = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
       dll->Name != 0; ++dll) {
    if (::lstrcmpiA(reinterpret_cast<const char*>(base + dll->Name), "gdi32.dll") != 0) continue;
    if (dll->OriginalFirstThunk == 0) return nullptr;  // names not kept: cannot tell the slots
    auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + dll->OriginalFirstThunk);
    auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + dll->FirstThunk);
    for (; names->u1.AddressOfData != 0; ++names, ++slots) {
      if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
      const auto* entry =
          reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
      if (std::strcmp(reinterpret_cast<const char*>(entry->Name), name) != 0) continue;
      DWORD protection = 0;
      if (!::VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, PAGE_READWRITE,
                            &protection)) {
        return nullptr;
      }
      void* const original = reinterpret_cast<void*>(slots->u1.Function);
      slots->u1.Function = reinterpret_cast<ULONG_PTR>(replacement);
      ::VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, protection, &protection);
      return original;
    }
  }
  return nullptr;
}

bool StartCounting() {
  originalCreateFont = reinterpret_cast<CreateFontIndirectAFunction>(
      Reroute("CreateFontIndirectA", reinterpret_cast<void*>(&CountingCreateFontIndirectA)));
  originalDeleteObject = reinterpret_cast<DeleteObjectFunction>(
      Reroute("DeleteObject", reinterpret_cast<void*>(&CountingDeleteObject)));
  return originalCreateFont != nullptr && originalDeleteObject != nullptr;
}

const bool counting = StartCounting();

}  // namespace

bool FontCountIsRunning() { return counting; }

int FontsAlive() { return static_cast<int>(LiveFonts().size()); }

}  // namespace quellix::testing
