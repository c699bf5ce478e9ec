// Looks at and pokes the running program from outside, as the system or the
// shell would, for the end-to-end tests:
//   quellix_probe visible          exit code 0 when the main window is shown, 1 when hidden
//   quellix_probe client           prints the client area: left top width height
//   quellix_probe forget-icon      removes the tray icon, as a restarting shell forgets it
//   quellix_probe taskbar-created  tells the window the taskbar is back
//   quellix_probe end-session      asks whether the session may end, then ends it
// Exit code 2: no main window found.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cstring>

namespace {

HWND MainWindow() { return ::FindWindowA("QuellixMainWindow", nullptr); }

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 3;
  const HWND window = MainWindow();
  if (!window) return 2;
  const char* command = argv[1];
  if (std::strcmp(command, "visible") == 0) return ::IsWindowVisible(window) ? 0 : 1;
  if (std::strcmp(command, "client") == 0) {
    RECT client{};
    ::GetClientRect(window, &client);
    POINT origin{0, 0};
    ::ClientToScreen(window, &origin);
    std::printf("%ld %ld %ld %ld\n", origin.x, origin.y, client.right, client.bottom);
    return 0;
  }
  if (std::strcmp(command, "forget-icon") == 0) {
    NOTIFYICONDATAA icon{};
    icon.cbSize = NOTIFYICONDATAA_V1_SIZE;
    icon.hWnd = window;
    icon.uID = 100;
    return ::Shell_NotifyIconA(NIM_DELETE, &icon) ? 0 : 1;
  }
  if (std::strcmp(command, "taskbar-created") == 0) {
    return ::PostMessageA(window, ::RegisterWindowMessageA("TaskbarCreated"), 0, 0) ? 0 : 1;
  }
  if (std::strcmp(command, "end-session") == 0) {
    const LRESULT mayEnd = ::SendMessageA(window, WM_QUERYENDSESSION, 0, 0);
    ::SendMessageA(window, WM_ENDSESSION, TRUE, 0);
    return mayEnd ? 0 : 1;
  }
  return 3;
}
