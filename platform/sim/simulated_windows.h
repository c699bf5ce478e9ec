#pragma once
// A simulated Windows for the portable code on Linux: a table of processes and
// their 16-bit tasks that tests fill and that the platform calls read. It hands
// out and counts handles, can be told to fail calls, and records what the user
// was shown, so tests assert on effects rather than on a script of calls.

#include <cstdint>
#include <functional>
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
  std::string name;              // the base name as the system reports it
  bool deniesQuery = false;      // OpenProcess for inspection fails
  bool moduleEnumFails = false;  // EnumProcessModules fails
  bool baseNameFails = false;    // GetModuleBaseNameA writes nothing and returns 0
  bool hostsWow = false;         // a VDM whose 16-bit tasks VDMEnumTaskWOWEx lists
  bool deniesTerminate = false;  // OpenProcess for termination fails
  std::vector<Task> tasks;
};

struct MessageBoxShown {
  std::string text;
  std::string caption;
  UINT type = 0;
};

struct Termination {
  DWORD processId = 0;
  UINT exitCode = 0;
  bool operator==(const Termination&) const = default;
};

struct TaskTermination {
  DWORD processId = 0;
  WORD task16 = 0;
  bool ended = false;  // whether the call found the task and ended it
  bool operator==(const TaskTermination&) const = default;
};

// The arguments of one OpenProcess call.
struct ProcessOpening {
  DWORD processId = 0;
  DWORD access = 0;
  BOOL inheritHandle = FALSE;
  bool operator==(const ProcessOpening&) const = default;
};

// The arguments of one CreateSemaphoreA call.
struct SemaphoreCreation {
  bool withSecurity = false;  // security attributes given (they could make it inheritable)
  LONG initialCount = 0;
  LONG maximumCount = 0;
  std::string name;
  bool operator==(const SemaphoreCreation&) const = default;
};

struct TrayCall {
  DWORD message = 0;
  NOTIFYICONDATAA data{};  // a copy of the record as the call received it
  BOOL result = FALSE;
};

struct ShellExecution {
  HWND window = nullptr;
  // A null argument is recorded as no value, so it differs from an empty text.
  std::optional<std::string> verb;
  std::optional<std::string> file;
  std::optional<std::string> parameters;
  std::optional<std::string> directory;
  INT show = 0;
  bool comInitialized = false;  // whether COM was started on the thread at the call
};

struct ImageLoad {
  HINSTANCE instance = nullptr;
  std::string name;  // a numbered resource as "#" and its number
  UINT type = 0;
  int cx = 0;
  int cy = 0;
  UINT flags = 0;
  HANDLE image = nullptr;  // what the call returned
};

// The Windows releases that differ in what the program sees: the message
// filter came with Vista, its per-window form with Windows 7.
enum class WindowsRelease { kXp, kVista, kSeven };

// A change of the message filter: per window (Windows 7) or for the process.
struct MessageFilterChange {
  HWND window = nullptr;  // null for a change of the whole process's filter
  UINT message = 0;
  DWORD action = 0;
  bool operator==(const MessageFilterChange&) const = default;
};

// The system calls the program makes that can fail, as tests name them.
// OpenProcess counts as two: opened to look at a process, or to end it. The
// previous window procedure that CallWindowProcA forwards to can fail too.
enum class Call {
  kCreateSemaphoreA,
  kEnumProcesses,
  kOpenProcessToInspect,
  kOpenProcessToTerminate,
  kEnumProcessModules,
  kGetModuleBaseNameA,
  kVDMEnumTaskWOWEx,
  kTerminateProcess,
  kVDMTerminateTaskWOW,
  kLoadImageA,
  kRegisterWindowMessageA,
  kChangeWindowMessageFilter,  // either form
  kShell_NotifyIconA,
  kShellExecuteA,
  kPreviousWindowProcedure,
  kSetForegroundWindow,
  kFindWindowA,
  kCoInitializeEx,
};

// One call, made for the given time (counting from 1).
struct CallMade {
  Call call{};
  int time = 0;
  bool operator==(const CallMade&) const = default;
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

  // Every process TerminateProcess ended, in order.
  std::vector<Termination> terminations;

  // Every VDMTerminateTaskWOW call, in order, whether or not it ended a task.
  std::vector<TaskTermination> taskTerminations;

  // Every OpenProcess and CreateSemaphoreA call, in order, failing ones too.
  std::vector<ProcessOpening> processOpenings;
  std::vector<SemaphoreCreation> semaphoreCreations;

  // The milliseconds of every Sleep, in order; the simulation does not wait.
  std::vector<DWORD> sleeps;

  // What GetLastError returns; set by the calls that set it on Windows.
  DWORD lastError = 0;

  // How many times each call has been made.
  std::map<Call, int> callsMade;
  // When set, that one call fails as Windows reports a failure of it: no
  // handle, FALSE or 0, nothing changed (ShellExecuteA: a value of 32 or less).
  std::optional<CallMade> failing;
  // Runs as each call begins, before it looks at the system: a test changes
  // the system here as other programs would meanwhile.
  std::function<void(CallMade)> beforeCall;
  // Makes the next time the call is made fail.
  void FailNext(Call call) { failing = CallMade{call, callsMade[call] + 1}; }
  // Counts a call, runs beforeCall and tells whether this one is to fail.
  bool Calling(Call call);

  // Every Shell_NotifyIconA call, in order, and the icons it left in the tray,
  // in the order they were added.
  std::vector<TrayCall> trayCalls;
  std::vector<NOTIFYICONDATAA> trayIcons;
  // Whether the shell's taskbar (the top-level window of class "Shell_TrayWnd")
  // is up. Until it is, as at logon before the shell has made it, every
  // Shell_NotifyIconA fails and FindWindowA finds no such window.
  bool taskbarRunning = true;

  // The window that has the keyboard, as the last SetForegroundWindow left it.
  HWND foregroundWindow = nullptr;

  // The flags of every CoInitializeEx, in order, and how many of the thread's
  // starts of COM have not been ended by CoUninitialize yet (below 0 after an
  // end that no start asked for).
  std::vector<DWORD> comStarts;
  int comStartsOpen = 0;

  // Every ShellExecuteA call, in order.
  std::vector<ShellExecution> shellExecutions;

  // Every LoadImageA call, in order, and every icon DestroyIcon released.
  std::vector<ImageLoad> imageLoads;
  std::vector<HICON> destroyedIcons;

  // Window messages registered by name, and their numbers.
  std::map<std::string, UINT> registeredMessages;

  // Which Windows this is; the newest by default.
  WindowsRelease release = WindowsRelease::kSeven;
  // The system's ANSI code page: 1252 (Western) or 932 (Japanese).
  UINT ansiCodePage = 1252;
  // Every change of the message filter that took effect, in order.
  std::vector<MessageFilterChange> messageFilterChanges;

  Process& AddProcess(DWORD id, std::string name);
  Process* FindProcess(DWORD id);

  HANDLE OpenHandle(DWORD processId, DWORD access);
  bool CloseHandle(HANDLE handle);
  // The process a handle was opened for, or null for a handle that is not open
  // or whose process has gone.
  Process* ProcessOf(HANDLE handle, DWORD neededAccess);
  // Removes the process from the table, moving those after it up (references
  // to them no longer hold); its open handles stay open.
  void RemoveProcess(DWORD id);

  // A handle of the semaphore called name ("" for one without a name); the
  // semaphore lasts while any of its handles is open.
  HANDLE OpenSemaphoreHandle(std::string name);
  bool SemaphoreExists(const std::string& name) const;

  int OpenHandleCount() const { return static_cast<int>(openHandles_.size()); }
  int HandlesOpenedInAll() const { return handlesOpened_; }

 private:
  struct OpenHandleInfo {
    DWORD processId = 0;
    DWORD access = 0;
    bool isSemaphore = false;
    std::string semaphoreName;
  };
  HANDLE AddHandle(OpenHandleInfo info);

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
