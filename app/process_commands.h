#pragma once
// The commands that rebuild the process list and end the chosen edition.

namespace quellix {

// Rebuilds the process list and shows the count in the Processes page's title.
void RefreshProcessCount();

// Ends the chosen edition: its server process, then, as the kill target says,
// the whole NTVDM.EXE or only the IDE's 16-bit task inside it; waits a second,
// rebuilds the list and shows it with its first row selected.
void RunKillSequence();

}  // namespace quellix
