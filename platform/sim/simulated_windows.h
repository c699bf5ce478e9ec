#pragma once
// A simulated Windows for the portable code on Linux: a table of processes and
// their 16-bit tasks that tests fill and that the platform calls read. It hands
// out and counts handles, can be told to fail calls, and records what the user
// was shown, so tests assert on effects rather than on a script of calls.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/win_types.h"

namespace quellix::sim {

struct Task {
  DWORD threadId = 0;
  WORD task16 = 0;
  std::string filePath;  // full path of the task's executable
};

struct Process {
  DWORD id = 0;
  std::string name;  // the base name as the system reports it
  bool deniesQuery = false;        // OpenProcess for inspection fails
  bool moduleEnumFails = false;    // EnumProcessModules fails
  bool baseNameFails = false;      // GetModuleBaseNameA writes nothing and returns 0
  bool hostsWow = false;           // a VDM whose 16-bit tasks VDMEnumTaskWOWEx lists
  std::vector<Task> tasks;
};

struct MessageBoxShown {
  std::string text;
  std::string caption;
  UINT type = 0;
};

class SimulatedWindows {
 public:
  // The running processes, in the order EnumProcesses reports them.
  std::vector<Process> processes;

  // When set, EnumProcesses fails and reports this many bytes as returned.
  std::optional<DWORD> enumProcessesFailsWithBytes;

  // Every message box shown, in order.
  std::vector<MessageBoxShown> messageBoxes;

  // Process ids for which VDMEnumTaskWOWEx was called, in order.
  std::vector<DWORD> taskEnumerations;

  Process& AddProcess(DWORD id, std::string name);
  Process* FindProcess(DWORD id);

  HANDLE OpenHandle(DWORD processId, DWORD access);
  bool CloseHandle(HANDLE handle);
  // The process a handle was opened for, or null for a handle that is not open
  // or whose process has gone.
  Process* ProcessOf(HANDLE handle, DWORD neededAccess);

  int OpenHandleCount() const { return static_cast<int>(openHandles_.size()); }
  int HandlesOpenedInAll() const { return handlesOpened_; }

 private:
  struct OpenHandleInfo {
    DWORD processId;
    DWORD access;
  };
  std::map<std::uintptr_t, OpenHandleInfo> openHandles_;
  // Where each id stood in processes when last looked at; a stale entry is
  // noticed on use and the index made anew, so tests may edit the table freely.
  std::unordered_map<DWORD, std::size_t> processIndex_;
  int handlesOpened_ = 0;
  std::uintptr_t nextHandle_ = 0x1000;
};

// The one simulated system; Reset gives a fresh, empty one.
SimulatedWindows& System();
void Reset();

}  // namespace quellix::sim
