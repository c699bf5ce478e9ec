// This file alone sees the system headers as a build for Windows 7 does, so
// that the types of the newer functions are checked against their declarations.
// Nothing here calls them: it only looks them up.
#undef WINVER
#undef _WIN32_WINNT
#define WINVER 0x0601
#define _WIN32_WINNT 0x0601

#include "platform/win32/system_functions.h"

#include <cstring>
#include <type_traits>

#include "common/unique_handle.h"

namespace quellix::os::win32 {
namespace {

static_assert(std::is_same_v<decltype(SystemFunctions::ChangeWindowMessageFilter),
                             decltype(&::ChangeWindowMessageFilter)>);
static_assert(std::is_same_v<decltype(SystemFunctions::ChangeWindowMessageFilterEx),
                             decltype(&::ChangeWindowMessageFilterEx)>);

// Windows 8, and Windows 7 and Vista with the update that added it, can keep a
// library's own imports to the system folder as well; AddDllDirectory came
// with that ability, so its presence tells.
bool CanSearchSystemFolderOnly() {
  const HMODULE kernel32 = ::GetModuleHandleA("kernel32.dll");
  return kernel32 && ::GetProcAddress(kernel32, "AddDllDirectory");
}

struct FreeLibraryHandle {
  static void Free(HMODULE module) { ::FreeLibrary(module); }
};

// A DLL of the system folder, loaded by its full path; null when it cannot be.
class SystemLibrary {
 public:
  explicit SystemLibrary(const char* name) {
    char path[MAX_PATH];
    const UINT folderLength = ::GetSystemDirectoryA(path, MAX_PATH);
    const std::size_t nameLength = std::strlen(name);
    if (folderLength == 0 || folderLength + 1 + nameLength >= MAX_PATH) return;
    path[folderLength] = '\\';
    std::memcpy(path + folderLength + 1, name, nameLength + 1);
    module_ = Module(CanSearchSystemFolderOnly()
                         ? ::LoadLibraryExA(path, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)
                         : ::LoadLibraryA(path));
  }

  template <typename Function>
  void Resolve(Function& function, const char* name) const {
    function = module_ ? reinterpret_cast<Function>(
                             reinterpret_cast<void*>(::GetProcAddress(module_.get(), name)))
                       : nullptr;
  }

 private:
  using Module = UniqueHandle<HMODULE, FreeLibraryHandle>;
  Module module_;
};

struct LoadedFunctions {
  SystemLibrary vdmdbg{"vdmdbg.dll"};
  SystemLibrary user32{"user32.dll"};
  SystemLibrary uxtheme{"uxtheme.dll"};
  SystemFunctions functions;

  LoadedFunctions() {
// Each member is looked up under its own name.
#define QUELLIX_RESOLVE(library, function) library.Resolve(functions.function, #function)
    QUELLIX_RESOLVE(vdmdbg, VDMEnumProcessWOW);
    QUELLIX_RESOLVE(vdmdbg, VDMEnumTaskWOWEx);
    QUELLIX_RESOLVE(vdmdbg, VDMTerminateTaskWOW);
    QUELLIX_RESOLVE(user32, ChangeWindowMessageFilter);
    QUELLIX_RESOLVE(user32, ChangeWindowMessageFilterEx);
    QUELLIX_RESOLVE(uxtheme, SetWindowTheme);
#undef QUELLIX_RESOLVE
  }
};

struct LoadedComFunctions {
  SystemLibrary ole32{"ole32.dll"};
  ComFunctions functions;

  LoadedComFunctions() {
    ole32.Resolve(functions.CoInitializeEx, "CoInitializeEx");
    ole32.Resolve(functions.CoUninitialize, "CoUninitialize");
  }
};

struct LoadedAccessibilityFunctions {
  SystemLibrary oleacc{"oleacc.dll"};
  SystemLibrary oleaut32{"oleaut32.dll"};
  AccessibilityFunctions functions;

  LoadedAccessibilityFunctions() {
    oleacc.Resolve(functions.CreateStdAccessibleObject, "CreateStdAccessibleObject");
    oleacc.Resolve(functions.LresultFromObject, "LresultFromObject");
    oleaut32.Resolve(functions.SysAllocStringLen, "SysAllocStringLen");
  }
};

}  // namespace

const SystemFunctions& System() {
  static const LoadedFunctions loaded;
  return loaded.functions;
}

const ComFunctions& Com() {
  static const LoadedComFunctions loaded;
  return loaded.functions;
}

const AccessibilityFunctions& Accessibility() {
  static const LoadedAccessibilityFunctions loaded;
  return loaded.functions;
}

}  // namespace quellix::os::win32
