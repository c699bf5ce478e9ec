// The program's entry on Windows. It takes nothing on its command line.
#include <windows.h>

#include "app/program.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return quellix::RunQuellix(); }
