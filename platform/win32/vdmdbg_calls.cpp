#include "platform/vdmdbg_calls.h"

#include "platform/win32/system_functions.h"

namespace quellix::os {
namespace {

struct VdmSearch {
  DWORD processId;
  bool found;
};

BOOL WINAPI MatchVdm(DWORD processId, DWORD /*attributes*/, LPARAM userDefined) {
  auto* search = reinterpret_cast<VdmSearch*>(userDefined);
  if (processId == search->processId) search->found = true;
  return search->found;  // TRUE ends the enumeration
}

// True when the process is a VDM that runs 16-bit Windows tasks. Only for such a
// process may the task calls be made: Wine implements them as stubs that end the
// calling process, while its VDMEnumProcessWOW (rightly) lists no VDMs.
bool IsWowVdm(DWORD processId) {
  const auto enumerate = win32::System().VDMEnumProcessWOW;
  if (!enumerate) return false;
  VdmSearch search{processId, false};
  enumerate(&MatchVdm, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace

INT VDMEnumTaskWOWEx(DWORD processId, TASKENUMPROCEX callback, LPARAM userDefined) {
  const auto enumerate = win32::System().VDMEnumTaskWOWEx;
  if (!enumerate || !IsWowVdm(processId)) return 0;
  return enumerate(processId, callback, userDefined);
}

BOOL VDMTerminateTaskWOW(DWORD processId, WORD task16) {
  const auto terminate = win32::System().VDMTerminateTaskWOW;
  if (!terminate || !IsWowVdm(processId)) return FALSE;
  return terminate(processId, task16);
}

}  // namespace quellix::os
