#pragma once
// What the program does with each event of its window.

namespace quellix {

// Acts on the current event: at most one branch, tested in a fixed order.
void DispatchEvent();

}  // namespace quellix
