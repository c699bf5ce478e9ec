#include "platform/vdmdbg_calls.h"

#include "platform/win32/vdmdbg_library.h"

namespace quellix::os {

INT VDMEnumTaskWOWEx(DWORD processId, TASKENUMPROCEX callback, LPARAM userDefined) {
  const win32::VdmDebugFunctions& vdm = win32::VdmDebug();
  if (!vdm.VDMEnumTaskWOWEx || !win32::IsWowVdm(processId)) return 0;
  return vdm.VDMEnumTaskWOWEx(processId, callback, userDefined);
}

}  // namespace quellix::os
