#include "platform/ole32_calls.h"

#include "platform/win32/system_functions.h"

namespace quellix::os {

HRESULT CoInitializeEx(void* reserved, DWORD coInit) {
  const auto start = win32::Com().CoInitializeEx;
  return start ? start(reserved, coInit) : E_NOTIMPL;
}

void CoUninitialize() {
  if (const auto end = win32::Com().CoUninitialize) end();
}

}  // namespace quellix::os
