#pragma once
// The two commands that rebuild the process list and show it: the count in the
// Processes page's title, and the kill of the chosen edition.

namespace quellix {

// Rebuilds the process list and shows the count in the Processes page's title.
void RefreshProcessCount();

// Ends the chosen edition as the kill target says (process/kill_sequence.h)
// on a freshly rebuilt list, then rebuilds the list again and shows it with its
// first row selected.
void RunKillSequence();

}  // namespace quellix
