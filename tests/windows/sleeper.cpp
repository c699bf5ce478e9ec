// A process that does nothing until it is ended: the test's stand-in for the
// executables the program looks for, copied under their names.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  // Looking at the (empty) message queue once tells a starter waiting in
  // WaitForInputIdle that start-up is over and the process can be inspected.
  MSG message;
  ::PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);
  ::Sleep(INFINITE);
  return 0;
}
