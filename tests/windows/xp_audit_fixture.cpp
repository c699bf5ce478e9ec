// An image that Windows XP cannot load, for the test of the import audit: it
// imports a function that came with Vista and a C runtime function nobody has
// reviewed, and its header (set at link time) asks for Vista.
#undef WINVER
#undef _WIN32_WINNT
#define WINVER 0x0600
#define _WIN32_WINNT 0x0600
#include <string.h>
#include <windows.h>

int main() {
  char text[] = "ab";
  ::_strrev(text);
  return static_cast<int>(::GetTickCount64() & 1) + text[0];
}
