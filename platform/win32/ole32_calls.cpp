#include "platform/ole32_calls.h"

namespace quellix::os {

HRESULT CoInitializeEx(void* reserved, DWORD coInit) { return ::CoInitializeEx(reserved, coInit); }

void CoUninitialize() { ::CoUninitialize(); }

}  // namespace quellix::os
