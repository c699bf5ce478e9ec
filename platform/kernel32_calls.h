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
// Whether the byte begins a two-byte character in the system's ANSI code page
// (those of Japanese, Chinese and Korean systems have such characters).
BOOL IsDBCSLeadByte(BYTE testChar);

}  // namespace quellix::os
