#pragma once
// VDM debugging calls (vdmdbg.dll): the 16-bit tasks inside an NTVDM.EXE process.
//
// Where the system has no usable VDM interface (64-bit Windows, Wine) the calls
// behave as for a process that hosts no 16-bit tasks.

#include "platform/win_types.h"

namespace quellix::os {

// Called once per 16-bit task; returning FALSE asks for the next one.
using TASKENUMPROCEX = BOOL(WINAPI*)(DWORD threadId, WORD module16, WORD task16, PSZ moduleName,
                                     PSZ fileName, LPARAM userDefined);

INT VDMEnumTaskWOWEx(DWORD processId, TASKENUMPROCEX callback, LPARAM userDefined);
// Ends one 16-bit task of the VDM processId; FALSE when it could not be ended.
BOOL VDMTerminateTaskWOW(DWORD processId, WORD task16);

}  // namespace quellix::os
