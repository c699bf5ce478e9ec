#pragma once
// The two ways the program ends something: an operating-system process, and a
// 16-bit task inside an NTVDM.EXE process.

#include "platform/win_types.h"

namespace quellix {

// Tells the process to terminate with exit code 0. True when the system took
// the request; false when the process could not be opened or terminated.
bool KillProcess(DWORD processId);

// Ends the 16-bit task task16 inside the VDM processId. True when the system
// reported it ended.
bool KillWowTask(DWORD processId, WORD task16);

}  // namespace quellix
