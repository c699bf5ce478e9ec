#pragma once
// What a long run could leak, counted on the running process: kernel handles,
// GDI and USER objects, the window services' fonts, the main window's child
// windows and private bytes. Wine reports 0 for some of the system's own
// counters, so each is paired with one the test can count itself.

#include <windows.h>
// After windows.h, whose types it uses.
#include <psapi.h>

#include <cstdint>
#include <cstdio>

#include "font_count.h"

namespace quellix::testing {

struct ResourceCounts {
  int handles = 0;
  DWORD gdiObjects = 0;   // as the system reports them (0 under Wine)
  DWORD userObjects = 0;  // as the system reports them (0 under Wine)
  int fonts = 0;          // made by the program and not yet deleted
  int childWindows = 0;   // of the window measured, at every depth
  SIZE_T privateBytes = 0;
};

// The handles this process has open, counted by asking the system about every
// handle value in the range it hands out. (Wine's GetProcessHandleCount reports 0.)
inline int OpenHandleCount() {
  int count = 0;
  for (std::uintptr_t value = 4; value <= 0x10000; value += 4) {
    DWORD flags = 0;
    if (::GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags)) ++count;
  }
  return count;
}

inline BOOL CALLBACK CountChild(HWND, LPARAM count) {
  ++*reinterpret_cast<int*>(count);
  return TRUE;
}

inline int ChildWindowCount(HWND window) {
  int count = 0;
  if (window) ::EnumChildWindows(window, &CountChild, reinterpret_cast<LPARAM>(&count));
  return count;
}

// Memory committed for this process alone. Under Wine this is the resident
// anonymous memory of the host process (plus swap), so it counts pages once
// touched, not bytes in use.
inline SIZE_T PrivateBytes() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  if (!::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof counters)) return 0;
  return counters.PagefileUsage;
}

inline ResourceCounts MeasureResources(HWND window) {
  ResourceCounts counts;
  counts.handles = OpenHandleCount();
  counts.gdiObjects = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
  counts.userObjects = ::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS);
  counts.fonts = FontsAlive();
  counts.childWindows = ChildWindowCount(window);
  counts.privateBytes = PrivateBytes();
  return counts;
}

// One line per measure: before, after and the difference, for the test's log.
inline void PrintResources(const ResourceCounts& before, const ResourceCounts& after) {
  const auto line = [](const char* name, long long first, long long second) {
    std::printf("  %-22s %12lld %12lld %+12lld\n", name, first, second, second - first);
  };
  std::printf("  %-22s %12s %12s %12s\n", "resource", "before", "after", "difference");
  line("handles", before.handles, after.handles);
  line("GDI objects (system)", before.gdiObjects, after.gdiObjects);
  line("USER objects (system)", before.userObjects, after.userObjects);
  line("fonts alive", before.fonts, after.fonts);
  line("child windows", before.childWindows, after.childWindows);
  line("private bytes", static_cast<long long>(before.privateBytes),
       static_cast<long long>(after.privateBytes));
  std::fflush(stdout);
}

}  // namespace quellix::testing
