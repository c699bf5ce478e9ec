#include "platform/kernel32_calls.h"

namespace quellix::os {

HANDLE OpenProcess(DWORD desiredAccess, BOOL inheritHandle, DWORD processId) {
  return ::OpenProcess(desiredAccess, inheritHandle, processId);
}

BOOL TerminateProcess(HANDLE process, UINT exitCode) {
  return ::TerminateProcess(process, exitCode);
}

BOOL CloseHandle(HANDLE object) { return ::CloseHandle(object); }

void Sleep(DWORD milliseconds) { ::Sleep(milliseconds); }

HANDLE CreateSemaphoreA(void* security, LONG initialCount, LONG maximumCount, LPCSTR name) {
  return ::CreateSemaphoreA(static_cast<LPSECURITY_ATTRIBUTES>(security), initialCount,
                            maximumCount, name);
}

DWORD GetLastError() { return ::GetLastError(); }

BOOL IsDBCSLeadByte(BYTE testChar) { return ::IsDBCSLeadByte(testChar); }

}  // namespace quellix::os
