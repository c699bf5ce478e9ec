#include "platform/win32/vdmdbg_library.h"

namespace quellix::os::win32 {
namespace {

class LoadedLibrary {
 public:
  explicit LoadedLibrary(const char* name) : module_(::LoadLibraryA(name)) {}
  ~LoadedLibrary() {
    if (module_) ::FreeLibrary(module_);
  }
  LoadedLibrary(const LoadedLibrary&) = delete;
  LoadedLibrary& operator=(const LoadedLibrary&) = delete;

  template <typename Function>
  void Resolve(Function& function, const char* name) const {
    function =
        module_
            ? reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(module_, name)))
            : nullptr;
  }

 private:
  HMODULE module_;
};

struct VdmDebugLibrary {
  LoadedLibrary library{"vdmdbg.dll"};
  VdmDebugFunctions functions;

  VdmDebugLibrary() {
    library.Resolve(functions.VDMEnumProcessWOW, "VDMEnumProcessWOW");
    library.Resolve(functions.VDMEnumTaskWOWEx, "VDMEnumTaskWOWEx");
    library.Resolve(functions.VDMTerminateTaskWOW, "VDMTerminateTaskWOW");
  }
};

struct VdmSearch {
  DWORD processId;
  bool found;
};

BOOL WINAPI MatchVdm(DWORD processId, DWORD /*attributes*/, LPARAM userDefined) {
  auto* search = reinterpret_cast<VdmSearch*>(userDefined);
  if (processId == search->processId) search->found = true;
  return search->found;  // TRUE ends the enumeration
}

}  // namespace

const VdmDebugFunctions& VdmDebug() {
  static const VdmDebugLibrary loaded;
  return loaded.functions;
}

bool IsWowVdm(DWORD processId) {
  const VdmDebugFunctions& vdm = VdmDebug();
  if (!vdm.VDMEnumProcessWOW) return false;
  VdmSearch search{processId, false};
  vdm.VDMEnumProcessWOW(&MatchVdm, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace quellix::os::win32
