#pragma once
// Process status calls (psapi.dll), in their Windows names and shapes.

#include "platform/win_types.h"

namespace quellix::os {

BOOL EnumProcesses(DWORD* processIds, DWORD bytes, DWORD* bytesReturned);
BOOL EnumProcessModules(HANDLE process, HMODULE* modules, DWORD bytes, DWORD* bytesNeeded);
DWORD GetModuleBaseNameA(HANDLE process, HMODULE module, LPSTR baseName, DWORD size);

}  // namespace quellix::os
