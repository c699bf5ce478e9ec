#include "platform/user32_calls.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/sim/simulated_windows.h"

namespace quellix::os {

int MessageBoxA(HWND /*owner*/, LPCSTR text, LPCSTR caption, UINT type) {
  sim::System().messageBoxes.push_back({text ? text : "", caption ? caption : "", type});
  return 1;  // IDOK
}

LRESULT CallWindowProcA(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (sim::System().Calling(sim::Call::kPreviousWindowProcedure)) return 0;
  return previous ? previous(window, message, wParam, lParam) : 0;
}

HANDLE LoadImageA(HINSTANCE instance, LPCSTR name, UINT type, int cx, int cy, UINT flags) {
  sim::SimulatedWindows& system = sim::System();
  // As on Windows, a name below 65536 is a resource number, not a pointer.
  const auto value = reinterpret_cast<std::uintptr_t>(name);
  std::string recorded = value < 0x10000 ? "#" + std::to_string(value) : std::string(name);
  system.imageLoads.push_back({instance, std::move(recorded), type, cx, cy, flags});
  if (system.Calling(sim::Call::kLoadImageA)) return nullptr;
  // A distinct value per load, far from the process and semaphore handles.
  HANDLE image = reinterpret_cast<HANDLE>(0x7000000 + 0x10 * system.imageLoads.size());
  system.imageLoads.back().image = image;
  return image;
}

BOOL DestroyIcon(HICON icon) {
  sim::SimulatedWindows& system = sim::System();
  // Only an icon this system loaded, and only once.
  const bool loaded =
      std::any_of(system.imageLoads.begin(), system.imageLoads.end(),
                  [icon](const sim::ImageLoad& load) { return load.image == icon; });
  const bool destroyed = std::find(system.destroyedIcons.begin(), system.destroyedIcons.end(),
                                   icon) != system.destroyedIcons.end();
  if (!icon || !loaded || destroyed) return FALSE;
  system.destroyedIcons.push_back(icon);
  return TRUE;
}

UINT RegisterWindowMessageA(LPCSTR name) {
  if (sim::System().Calling(sim::Call::kRegisterWindowMessageA)) return 0;
  // Like Windows: numbers from 0xC000 up, one per distinct name.
  auto& registered = sim::System().registeredMessages;
  const auto found = registered.try_emplace(name, 0xC000 + static_cast<UINT>(registered.size()));
  return found.first->second;
}

BOOL SetForegroundWindow(HWND window) {
  sim::SimulatedWindows& system = sim::System();
  if (system.Calling(sim::Call::kSetForegroundWindow) || !window) return FALSE;
  system.foregroundWindow = window;
  return TRUE;
}

HWND FindWindowA(LPCSTR className, LPCSTR windowName) {
  sim::SimulatedWindows& system = sim::System();
  if (system.Calling(sim::Call::kFindWindowA)) return nullptr;
  // The taskbar is the one top-level window of another program this system has.
  const bool taskbar = className && std::string_view(className) == "Shell_TrayWnd" && !windowName;
  return taskbar && system.taskbarRunning ? reinterpret_cast<HWND>(0x00020020) : nullptr;
}

namespace {

// A call the system does not export, as a program that looked it up sees it.
BOOL Missing() {
  sim::System().lastError = ERROR_PROC_NOT_FOUND;
  return FALSE;
}

BOOL ChangeFilter(HWND window, UINT message, DWORD action) {
  sim::SimulatedWindows& system = sim::System();
  if (system.Calling(sim::Call::kChangeWindowMessageFilter)) {
    system.lastError = 5;  // ERROR_ACCESS_DENIED
    return FALSE;
  }
  system.messageFilterChanges.push_back({window, message, action});
  return TRUE;
}

}  // namespace

BOOL ChangeWindowMessageFilterEx(HWND window, UINT message, DWORD action) {
  if (sim::System().release < sim::WindowsRelease::kSeven) return Missing();
  return ChangeFilter(window, message, action);
}

BOOL ChangeWindowMessageFilter(UINT message, DWORD flag) {
  if (sim::System().release < sim::WindowsRelease::kVista) return Missing();
  return ChangeFilter(nullptr, message, flag);
}

}  // namespace quellix::os
