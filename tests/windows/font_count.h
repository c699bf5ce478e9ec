#pragma once
// The fonts this test program has made and not yet deleted, the window
// services' own among them. Windows counts a process's GDI objects, but Wine's
// GetGuiResources reports 0, so the program's imports of CreateFontIndirectA
// and DeleteObject are routed through counting functions instead. Linking
// font_count.cpp into a test program starts the count before main.

namespace quellix::testing {

// False when the imports could not be rerouted: the count would then say 0
// whatever the program did, so a test relying on it must fail.
bool FontCountIsRunning();
int FontsAlive();

}  // namespace quellix::testing
