#pragma once
// The program's one set of global data, alive from start to exit.

#include <array>
#include <cstdint>

#include "common/text_widths.h"
#include "platform/shell32_calls.h"
#include "platform/user32_calls.h"
#include "process/process_list.h"
#include "ui/process_list_view.h"
#include "ui/version_code_option.h"

namespace quellix {

// The program's own fields. Each member's initializer is its start value, so a
// freshly made AppFields is the state at start, and a new field is reset with
// the others without anyone having to remember it.
struct AppFields {
  Text12 versionCode;  // the chosen edition; the Version page's option group shows it
  Text12 serverName;   // that edition's server executable
  Text12 ideName;      // that edition's IDE executable, run as a 16-bit task
  // The process list, its current record and the current VDM number.
  ProcessList processList;
  Text256 killTarget;  // "NTVDM.EXE" ends the whole VDM; anything else the IDE's task

  std::array<char, 256> singleInstanceName{};  // null-terminated
  HANDLE singleInstance = nullptr;             // open until the process ends

  std::array<char, 80> iconResourceName{};  // null-terminated
  os::OwnedIcon icon;                       // the tray's; released when the program ends
  NOTIFYICONDATAA trayRecord{};
  WNDPROC previousWindowProcedure = nullptr;

  std::int32_t processCount = 0;   // from the last rebuild of the process list
  std::uint16_t task16Number = 0;  // working values of the kill sequence
  DWORD ntvdmProcessId = 0;

  // Whether the window is in the tray, with its icon added or waiting for a
  // taskbar to add it to, so that an icon the shell forgot when its taskbar
  // restarted, or never had, can be added when the taskbar comes up.
  bool inTray = false;
  UINT taskbarCreatedMessage = 0;

  // COM, started for the first link: whether that was tried, and whether it
  // succeeded (then CoUninitialize at shutdown).
  bool comTried = false;
  bool comStarted = false;
};

// The fields and, beside them, the version code and the process list as the
// main window shows them. The views refer to the fields, which stay where they
// are when the fields are given their start values again; so the state as a
// whole is neither copied nor assigned.
struct AppState : AppFields {
  AppState() = default;
  AppState(const AppState&) = delete;
  AppState& operator=(const AppState&) = delete;

  VersionCodeOption versionOption{versionCode};
  ProcessListView processListView{processList};
};

AppState& App();
// Gives every field its start value: all texts blank, the list empty, no handles.
void ResetAppState();

}  // namespace quellix
