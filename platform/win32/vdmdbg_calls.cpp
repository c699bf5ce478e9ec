#include "platform/vdmdbg_calls.h"

#include "platform/win32/vdmdbg_library.h"

namespace quellix::os {

INT VDMEnumTaskWOWEx(DWORD processId, TASKENUMPROCEX callback, LPARAM userDefined) {
  const win32::VdmDebugFunctions& vdm = win32::VdmDebug();
  if (!vdm.VDMEnumTaskWOWEx || !win32::IsWowVdm(processId)) return 0;
  return vdm.VDMEnumTaskWOWEx(processId, callback, userDefined);
}

BOOL VDMTerminateTaskWOW(DWORD processId, WORD task16) {
  const win32::VdmDebugFunctions& vdm = win32::VdmDebug();
  if (!vdm.VDMTerminateTaskWOW || !win32::IsWowVdm(processId)) return FALSE;
  return vdm.VDMTerminateTaskWOW(processId, task16);
}

}  // namespace quellix::os
