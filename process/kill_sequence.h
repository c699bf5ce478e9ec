#pragma once
// Ending the chosen edition: the decisions of the kill, on a process list that
// has just been rebuilt. Nothing here touches a window; the caller rebuilds
// the list before and shows it after.

#include <string_view>

#include "platform/win_types.h"
#include "process/process_list.h"

namespace quellix {

// What the kill found for the 16-bit variant: the IDE's task handle (0 when no
// task row carries the IDE's name) and the process id of the NTVDM.EXE it was
// looked for in (0 when there is none).
struct WowTaskTarget {
  WORD task16Number = 0;
  DWORD ntvdmProcessId = 0;
};

// Ends the server process listed as serverName, then: when killTarget is
// "NTVDM.EXE", the first NTVDM.EXE process with every task in it; otherwise the
// 16-bit task listed as ideName inside the VDM that hosts it. Every look-up
// runs on the list as it stands, and each leaves its find in the current
// record. Waits a second afterwards, so the system has finished ending them
// before anyone looks at the processes again. Nothing found, nothing ended.
WowTaskTarget EndEdition(ProcessList& list, std::string_view serverName, std::string_view ideName,
                         std::string_view killTarget);

}  // namespace quellix
