#pragma once
// Kernel calls (kernel32.dll), in their Windows names and shapes.

#include "platform/win_types.h"

namespace quellix::os {

HANDLE OpenProcess(DWORD desiredAccess, BOOL inheritHandle, DWORD processId);
BOOL CloseHandle(HANDLE object);

}  // namespace quellix::os
