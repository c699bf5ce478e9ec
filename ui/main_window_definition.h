#pragma once
// The program's one window: 288 x 128 dialog units, no caption, green on
// black, three pages in a sheet that shows no tabs, and 37 controls.

#include "winsvc/window_definition.h"

namespace quellix {

// The column format of the process list: NO, ID and TASK16 right-aligned with
// grouped digits and blank zeros, APPPATH left-aligned, a line after each.
inline constexpr char kProcessListFormat[] =
    "24R(2)|@N5_B@56R(2)|@N13_B@56R(2)|@N13_B@146L(2)|@s255@";

const WindowDefinition& MainWindowDefinition();

}  // namespace quellix
