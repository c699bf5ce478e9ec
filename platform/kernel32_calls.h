#pragma once
// Kernel calls (kernel32.dll), in their Windows names and shapes.

#include "platform/win_types.h"

namespace quellix::os {

HANDLE OpenProcess(DWORD desiredAccess, BOOL inheritHandle, DWORD processId);
BOOL TerminateProcess(HANDLE process, UINT exitCode);
BOOL CloseHandle(HANDLE object);
void Sleep(DWORD milliseconds);
// security stands for a SECURITY_ATTRIBUTES record; the program passes none.
HANDLE CreateSemaphoreA(void* security, LONG initialCount, LONG maximumCount, LPCSTR name);
DWORD GetLastError();

}  // namespace quellix::os
