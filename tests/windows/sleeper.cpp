// A process that does nothing until it is ended: the test's stand-in for the
// executables the program looks for, copied under their names.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  ::Sleep(INFINITE);
  return 0;
}
