#include "platform/shell32_calls.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "platform/sim/simulated_windows.h"

namespace quellix::os {
namespace {

// The shell knows an icon by its window and identifier.
std::vector<NOTIFYICONDATAA>::iterator FindIcon(std::vector<NOTIFYICONDATAA>& icons,
                                                const NOTIFYICONDATAA& data) {
  return std::find_if(icons.begin(), icons.end(), [&](const NOTIFYICONDATAA& icon) {
    return icon.hWnd == data.hWnd && icon.uID == data.uID;
  });
}

// Takes over what uFlags marks as valid in data.
void Update(NOTIFYICONDATAA& icon, const NOTIFYICONDATAA& data) {
  icon.uFlags |= data.uFlags;
  if (data.uFlags & NIF_MESSAGE) icon.uCallbackMessage = data.uCallbackMessage;
  if (data.uFlags & NIF_ICON) icon.hIcon = data.hIcon;
  if (data.uFlags & NIF_TIP) {
    std::memcpy(icon.szTip, data.szTip, sizeof icon.szTip);
    icon.szTip[sizeof icon.szTip - 1] = '\0';
  }
}

BOOL Apply(std::vector<NOTIFYICONDATAA>& icons, DWORD message, const NOTIFYICONDATAA& data) {
  const auto found = FindIcon(icons, data);
  switch (message) {
    case NIM_ADD: {
      if (found != icons.end()) return FALSE;
      NOTIFYICONDATAA icon{};
      icon.cbSize = data.cbSize;
      icon.hWnd = data.hWnd;
      icon.uID = data.uID;
      Update(icon, data);
      icons.push_back(icon);
      return TRUE;
    }
    case NIM_MODIFY:
      if (found == icons.end()) return FALSE;
      Update(*found, data);
      return TRUE;
    case NIM_DELETE:
      if (found == icons.end()) return FALSE;
      icons.erase(found);
      return TRUE;
    default:
      return FALSE;
  }
}

std::optional<std::string> TextOrNone(LPCSTR text) {
  return text ? std::optional<std::string>(text) : std::nullopt;
}

}  // namespace

BOOL Shell_NotifyIconA(DWORD message, NOTIFYICONDATAA* data) {
  sim::SimulatedWindows& system = sim::System();
  if (!data) {
    system.trayCalls.push_back({message, {}, FALSE});
    return FALSE;
  }
  // Without a taskbar there is no notification area to ask.
  const BOOL result = system.Calling(sim::Call::kShell_NotifyIconA) || !system.taskbarRunning
                          ? FALSE
                          : Apply(system.trayIcons, message, *data);
  system.trayCalls.push_back({message, *data, result});
  return result;
}

HINSTANCE ShellExecuteA(HWND window, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR directory,
                        INT show) {
  sim::SimulatedWindows& system = sim::System();
  system.shellExecutions.push_back({window, TextOrNone(verb), TextOrNone(file),
                                    TextOrNone(parameters), TextOrNone(directory), show,
                                    system.comStartsOpen > 0});
  // Any value above 32 says the shell started the file; 2 is "file not found".
  return reinterpret_cast<HINSTANCE>(system.Calling(sim::Call::kShellExecuteA) ? 2 : 42);
}

}  // namespace quellix::os
