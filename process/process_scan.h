#pragma once
// Rebuilding the process list from the system's process enumeration.

#include <cstdint>

#include "platform/win_types.h"
#include "process/process_list.h"

namespace quellix {

// The process-id array holds this many ids; more processes are not listed.
inline constexpr std::size_t kMaxProcessIds = 1024;

// Empties list and refills it: one row per process id the system reports, in
// order, each NTVDM.EXE row followed by its task rows. Returns the number of
// process ids reported, so task rows are not counted and the row of id 0 is.
// A failing enumeration is the one failure shown to the user.
std::int32_t ScanProcesses(ProcessList& list);

// Appends the row of the process with the non-zero id processId, NO = number,
// and, for NTVDM.EXE, the rows of its 16-bit tasks. A process that cannot be
// opened or inspected is listed as "<unknown>" with its id.
void InspectProcess(DWORD processId, ProcessList& list, std::int32_t number);

}  // namespace quellix
