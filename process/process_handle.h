#pragma once
// An open process handle, closed when it goes out of scope.

#include "common/unique_handle.h"
#include "platform/kernel32_calls.h"

namespace quellix {

struct CloseProcessHandle {
  static void Free(HANDLE handle) { os::CloseHandle(handle); }
};
using ProcessHandle = UniqueHandle<HANDLE, CloseProcessHandle>;

}  // namespace quellix
