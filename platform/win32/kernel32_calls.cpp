#include "platform/kernel32_calls.h"

namespace quellix::os {

HANDLE OpenProcess(DWORD desiredAccess, BOOL inheritHandle, DWORD processId) {
  return ::OpenProcess(desiredAccess, inheritHandle, processId);
}

BOOL CloseHandle(HANDLE object) { return ::CloseHandle(object); }

}  // namespace quellix::os
