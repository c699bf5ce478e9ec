// Looks at and pokes the running program from outside, as the system or the
// shell would, for the end-to-end tests:
//   quellix_probe visible          exit code 0 when the main window is shown, 1 when hidden
//   quellix_probe client           prints the client area: left top width height
//   quellix_probe foreground [CLASS]  exit code 0 when the window (of CLASS) is the
//                                  foreground window and has the keyboard focus (or one
//                                  of its children has), 1 when not (the class of the
//                                  foreground window printed)
//   quellix_probe answers          exit code 0 once the window answers a message: the
//                                  program is back in its loop
//   quellix_probe on-top           exit code 0 when the window seen at the main window's
//                                  centre is the main window (or one of its children)
//   quellix_probe forget-icon      removes the tray icon, as a restarting shell forgets it
//   quellix_probe taskbar-created  tells the window the taskbar is back
//   quellix_probe end-session      asks whether the session may end, then ends it
//   quellix_probe close [CLASS]    asks the window (of CLASS) to close
//   quellix_probe memory [CLASS]   prints the private bytes of the window's process
//   quellix_probe kill-timing EXE  starts EXE, chooses the tray item Quellix, and prints
//                                  the milliseconds until EXE has gone and, after that,
//                                  until the program answers messages again
//   quellix_probe first-show CLASS chooses the tray item About of the window of CLASS and
//                                  prints the milliseconds until the window has painted
//   quellix_probe start-up EXE CLASS  starts EXE and prints the milliseconds until the
//                                  tray icon of its window of CLASS is registered, and
//                                  until that window answers a message (its loop runs)
// The two timings print, last, the milliseconds of CPU time that the host of a
// virtual machine took from it while they timed (0 where that is not known).
// Exit code 2: no main window found.
#include <windows.h>
// after windows.h, which they need
#include <psapi.h>
#include <shellapi.h>

#include <cstdio>
#include <cstring>

namespace {

HWND MainWindow(const char* windowClass = "QuellixMainWindow") {
  return ::FindWindowA(windowClass, nullptr);
}

constexpr UINT kIconId = 100;  // the program's tray icon, and the minimal tray program's
constexpr UINT kTrayCallback = WM_USER + 64;
constexpr int kAboutItem = 1;  // in the order of the tray menu's items
constexpr int kKillItem = 2;

// Opens the window's tray menu as a click on its icon does and selects the
// item at position (1-based, separators skipped), as the keyboard would:
// keys sent to the menu reach the loop that tracks it. Returns the menu's
// window with the item selected, or null when no menu opened; the item is
// chosen by Choose.
HWND OpenTrayMenuAt(HWND window, int item) {
  ::PostMessageA(window, kTrayCallback, kIconId, WM_LBUTTONUP);
  HWND menu = nullptr;
  for (int waited = 0; !menu || !::IsWindowVisible(menu); waited += 10) {
    if (waited > 10000) return nullptr;
    ::Sleep(10);
    menu = ::FindWindowA("#32768", nullptr);
  }
  for (int i = 0; i < item; ++i) {
    ::PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
    ::PostMessageA(menu, WM_KEYUP, VK_DOWN, 0xC0000000);
  }
  ::Sleep(200);  // the selection has moved
  return menu;
}

void Choose(HWND menu) {
  ::PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
  ::PostMessageA(menu, WM_KEYUP, VK_RETURN, 0xC0000000);
}

// The window is on the screen and neither it nor any child waits to paint.
BOOL CALLBACK ChildPainted(HWND child, LPARAM painted) {
  if (::IsWindowVisible(child) && ::GetUpdateRect(child, nullptr, FALSE)) {
    *reinterpret_cast<bool*>(painted) = false;
  }
  return TRUE;
}

bool Painted(HWND window) {
  if (!::IsWindowVisible(window) || ::IsIconic(window)) return false;
  if (::GetUpdateRect(window, nullptr, FALSE)) return false;
  bool painted = true;
  ::EnumChildWindows(window, &ChildPainted, reinterpret_cast<LPARAM>(&painted));
  return painted;
}

// The CPU time the hypervisor has taken from this machine so far, in
// milliseconds: under Wine on Linux, the "steal" column of the kernel's
// /proc/stat (ticks of 10 ms), seen through Wine's drive of the root folder.
// 0 where there is no such file.
unsigned long long StolenMilliseconds() {
  const HANDLE file =
      ::CreateFileA("Z:\\proc\\stat", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                    OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 0;
  char text[256];
  DWORD length = 0;
  const BOOL read = ::ReadFile(file, text, sizeof text - 1, &length, nullptr);
  ::CloseHandle(file);
  if (!read) return 0;
  text[length] = '\0';
  unsigned long long t[8];  // user nice system idle iowait irq softirq steal
  if (std::sscanf(text, "cpu %llu %llu %llu %llu %llu %llu %llu %llu", &t[0], &t[1], &t[2], &t[3],
                  &t[4], &t[5], &t[6], &t[7]) != 8) {
    return 0;
  }
  return t[7] * 10;
}

int FirstShowTiming(HWND window) {
  const HWND menu = OpenTrayMenuAt(window, kAboutItem);
  if (!menu) return 1;
  const unsigned long long stolenBefore = StolenMilliseconds();
  const DWORD chosenAt = ::GetTickCount();
  Choose(menu);
  // Until the window is shown and nothing of it waits to be painted.
  while (!Painted(window)) {
    if (::GetTickCount() - chosenAt > 30000) return 1;
    ::Sleep(1);
  }
  const DWORD shownAt = ::GetTickCount();
  std::printf("%lu %llu\n", static_cast<unsigned long>(shownAt - chosenAt),
              StolenMilliseconds() - stolenBefore);
  return 0;
}

// Starts executable; returns its process handle, or null when it cannot start.
HANDLE Start(const char* executable) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  char commandLine[MAX_PATH + 2];
  ::wsprintfA(commandLine, "\"%s\"", executable);
  if (!::CreateProcessA(executable, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &started)) {
    return nullptr;
  }
  ::CloseHandle(started.hThread);
  return started.hProcess;
}

int KillTiming(HWND window, const char* executable) {
  const HANDLE started = Start(executable);
  if (!started) return 4;
  ::Sleep(1500);  // until a scan can read its name
  const HWND menu = OpenTrayMenuAt(window, kKillItem);
  if (!menu) {
    ::TerminateProcess(started, 0);
    ::CloseHandle(started);
    return 1;
  }
  const DWORD pressed = ::GetTickCount();
  Choose(menu);
  const bool gone = ::WaitForSingleObject(started, 10000) == WAIT_OBJECT_0;
  const DWORD goneAt = ::GetTickCount();
  DWORD_PTR answer = 0;
  ::SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_BLOCK, 20000, &answer);
  const DWORD answeringAt = ::GetTickCount();
  if (!gone) ::TerminateProcess(started, 0);
  ::CloseHandle(started);
  std::printf("%lu %lu\n", static_cast<unsigned long>(goneAt - pressed),
              static_cast<unsigned long>(answeringAt - goneAt));
  return gone ? 0 : 1;
}

// Whether the shell holds an icon for the window: changing nothing of an icon
// succeeds only for one it has.
bool IconRegistered(HWND window) {
  NOTIFYICONDATAA icon{};
  icon.cbSize = NOTIFYICONDATAA_V1_SIZE;
  icon.hWnd = window;
  icon.uID = kIconId;
  return ::Shell_NotifyIconA(NIM_MODIFY, &icon) != FALSE;
}

int StartUpTiming(const char* executable, const char* windowClass) {
  const unsigned long long stolenBefore = StolenMilliseconds();
  const DWORD startedAt = ::GetTickCount();
  const HANDLE started = Start(executable);
  if (!started) return 4;
  ::CloseHandle(started);
  HWND window = nullptr;
  // Each look asks the shell, which the program is asking at the same time:
  // a pause between looks keeps the probe from slowing what it times.
  while (!window || !IconRegistered(window)) {
    if (::GetTickCount() - startedAt > 30000) return 1;
    window = ::FindWindowA(windowClass, nullptr);
    ::Sleep(1);
  }
  const DWORD registeredAt = ::GetTickCount();
  DWORD_PTR answer = 0;
  // A window whose thread is still busy answers once that thread reads its
  // messages again.
  if (!::SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_BLOCK, 30000, &answer)) return 1;
  const DWORD answeredAt = ::GetTickCount();
  std::printf("%lu %lu %llu\n", static_cast<unsigned long>(registeredAt - startedAt),
              static_cast<unsigned long>(answeredAt - startedAt),
              StolenMilliseconds() - stolenBefore);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 3;
  if (std::strcmp(argv[1], "start-up") == 0) return argc > 3 ? StartUpTiming(argv[2], argv[3]) : 3;
  const bool ofClass =
      argc > 2 &&
      (std::strcmp(argv[1], "close") == 0 || std::strcmp(argv[1], "memory") == 0 ||
       std::strcmp(argv[1], "foreground") == 0 || std::strcmp(argv[1], "first-show") == 0);
  const HWND window = ofClass ? MainWindow(argv[2]) : MainWindow();
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
  if (std::strcmp(command, "foreground") == 0) {
    const HWND foreground = ::GetForegroundWindow();
    GUITHREADINFO keyboard{};
    keyboard.cbSize = sizeof keyboard;
    const bool focusedHere =
        ::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &keyboard) &&
        (keyboard.hwndFocus == window || ::IsChild(window, keyboard.hwndFocus));
    if (foreground == window && focusedHere) return 0;
    char className[256] = "(none)";
    if (foreground) ::GetClassNameA(foreground, className, sizeof className);
    std::printf("%s\n", className);
    return 1;
  }
  if (std::strcmp(command, "on-top") == 0) {
    RECT frame{};
    ::GetWindowRect(window, &frame);
    const POINT centre{(frame.left + frame.right) / 2, (frame.top + frame.bottom) / 2};
    const HWND seen = ::WindowFromPoint(centre);
    return seen && ::GetAncestor(seen, GA_ROOT) == window ? 0 : 1;
  }
  if (std::strcmp(command, "forget-icon") == 0) {
    NOTIFYICONDATAA icon{};
    icon.cbSize = NOTIFYICONDATAA_V1_SIZE;
    icon.hWnd = window;
    icon.uID = kIconId;
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
  if (std::strcmp(command, "answers") == 0) {
    DWORD_PTR answer = 0;
    return ::SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &answer) ? 0 : 1;
  }
  if (std::strcmp(command, "close") == 0) return ::PostMessageA(window, WM_CLOSE, 0, 0) ? 0 : 1;
  if (std::strcmp(command, "memory") == 0) {
    DWORD processId = 0;
    ::GetWindowThreadProcessId(window, &processId);
    HANDLE process = ::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId);
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    const BOOL measured = process && ::GetProcessMemoryInfo(process, &counters, sizeof counters);
    if (process) ::CloseHandle(process);
    if (!measured) return 1;
    std::printf("%lu\n", static_cast<unsigned long>(counters.PagefileUsage));
    return 0;
  }
  if (std::strcmp(command, "kill-timing") == 0 && argc > 2) return KillTiming(window, argv[2]);
  if (std::strcmp(command, "first-show") == 0) return FirstShowTiming(window);
  return 3;
}
