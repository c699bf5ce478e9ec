#pragma once
// The 16-bit tasks inside an NTVDM.EXE process, as rows of the process list.

#include <cstdint>

#include "platform/vdmdbg_calls.h"
#include "process/process_list.h"

namespace quellix {

// Appends one row per 16-bit task of the NTVDM.EXE process processId, each with
// NO = vdmNumber, right after the rows already in list. The list's current VDM
// number is vdmNumber from then on.
void ListWowTasks(DWORD processId, ProcessList& list, std::int32_t vdmNumber);

// The enumeration's callback: appends the task row for one task to the list
// that userDefined points to, numbered with that list's current VDM number.
// Uses the thread id, the task handle and the file name; returns FALSE so that
// the enumeration goes on.
BOOL WINAPI AddTaskRow(DWORD threadId, WORD module16, WORD task16, PSZ moduleName, PSZ fileName,
                       LPARAM userDefined);

}  // namespace quellix
