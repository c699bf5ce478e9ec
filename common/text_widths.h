#pragma once
// Widths of the program's fixed-width texts.

#include "common/fixed_text.h"

namespace quellix {

// A version code ("C60EE") or an executable name ("C60SRVX.EXE").
using Text12 = FixedText<12>;
// A process list row's APPPATH, and the kill target.
using Text256 = FixedText<256>;

}  // namespace quellix
