#pragma once
// vdmdbg.dll, loaded at run time: MinGW's import library lacks the task calls,
// and 64-bit Windows has no such DLL for 32-bit programs at all.

#include "platform/vdmdbg_calls.h"

namespace quellix::os::win32 {

using PROCESSENUMPROC = BOOL(WINAPI*)(DWORD processId, DWORD attributes, LPARAM userDefined);

// Every function the program takes from vdmdbg.dll; a null pointer is one the
// system does not export.
struct VdmDebugFunctions {
  INT(WINAPI* VDMEnumProcessWOW)(PROCESSENUMPROC callback, LPARAM userDefined) = nullptr;
  INT(WINAPI* VDMEnumTaskWOWEx)(DWORD processId, TASKENUMPROCEX callback, LPARAM userDefined) = nullptr;
  BOOL(WINAPI* VDMTerminateTaskWOW)(DWORD processId, WORD task16) = nullptr;
};

// Loaded on first use and kept until the process ends.
const VdmDebugFunctions& VdmDebug();

// True when the process is a VDM that runs 16-bit Windows tasks. Only for such a
// process may the task calls be made: Wine implements them as stubs that end the
// calling process, while its VDMEnumProcessWOW (rightly) lists no VDMs.
bool IsWowVdm(DWORD processId);

}  // namespace quellix::os::win32
