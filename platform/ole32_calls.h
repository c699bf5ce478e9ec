#pragma once
// COM calls (ole32.dll), in their Windows names and shapes.

#include "platform/win_types.h"

namespace quellix::os {

// Starts COM on the calling thread; S_OK or S_FALSE (already started) each
// ask for one CoUninitialize on the same thread, a failure for none. E_NOTIMPL
// where the system's ole32.dll cannot be loaded.
HRESULT CoInitializeEx(void* reserved, DWORD coInit);
void CoUninitialize();

}  // namespace quellix::os
