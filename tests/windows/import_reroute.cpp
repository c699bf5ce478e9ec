#include "import_reroute.h"

#include <windows.h>

#include <cstring>

namespace quellix::testing {
namespace {

// The import slot of `name` from `dll` in this program's image, or null.
void** FindSlot(const char* dll, const char* name) {
  auto* const base = reinterpret_cast<BYTE*>(::GetModuleHandleA(nullptr));
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  const auto* headers = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& imports =
      headers->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  if (imports.VirtualAddress == 0) return nullptr;
  for (auto* entry = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
       entry->Name != 0; ++entry) {
    if (::lstrcmpiA(reinterpret_cast<const char*>(base + entry->Name), dll) != 0) continue;
    if (entry->OriginalFirstThunk == 0) return nullptr;  // names not kept: cannot tell the slots
    auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + entry->OriginalFirstThunk);
    auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + entry->FirstThunk);
    for (; names->u1.AddressOfData != 0; ++names, ++slots) {
      if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
      const auto* byName =
          reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
      if (std::strcmp(reinterpret_cast<const char*>(byName->Name), name) == 0) {
        return reinterpret_cast<void**>(&slots->u1.Function);
      }
    }
  }
  return nullptr;
}

// Writes a slot of the import table, which the loader leaves read-only.
bool WriteSlot(void** slot, void* value) {
  DWORD protection = 0;
  if (!::VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &protection)) return false;
  *slot = value;
  ::VirtualProtect(slot, sizeof *slot, protection, &protection);
  return true;
}

}  // namespace

ImportReroute::ImportReroute(const char* dll, const char* function, void* replacement) {
  void** const slot = FindSlot(dll, function);
  if (!slot) return;
  void* const original = *slot;
  if (!WriteSlot(slot, replacement)) return;
  slot_ = slot;
  original_ = original;
}

ImportReroute::~ImportReroute() {
  if (slot_) WriteSlot(slot_, original_);
}

}  // namespace quellix::testing
