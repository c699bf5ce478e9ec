#include "platform/psapi_calls.h"

#include <psapi.h>

namespace quellix::os {

BOOL EnumProcesses(DWORD* processIds, DWORD bytes, DWORD* bytesReturned) {
  return ::EnumProcesses(processIds, bytes, bytesReturned);
}

BOOL EnumProcessModules(HANDLE process, HMODULE* modules, DWORD bytes, DWORD* bytesNeeded) {
  return ::EnumProcessModules(process, modules, bytes, bytesNeeded);
}

DWORD GetModuleBaseNameA(HANDLE process, HMODULE module, LPSTR baseName, DWORD size) {
  return ::GetModuleBaseNameA(process, module, baseName, size);
}

}  // namespace quellix::os
