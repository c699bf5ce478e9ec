// Every system call the program makes is made to fail in turn, at each point
// where it is made, over one whole session of use: start, About, the links,
// the title strip, Close, a message for the window's own procedure, the
// taskbar coming back, both tray kill items, Exit. Whatever fails, the
// program must not crash, must end nothing it was not asked to end, must
// close every handle, must report only a failing enumeration, and must never
// be left hidden without an icon.
#include <gtest/gtest.h>

#include <algorithm>
#include <iostream>
#include <set>
#include <string>
#include <vector>

#include "app/app_events.h"
#include "app/app_state.h"
#include "app/program.h"
#include "app/tray.h"
#include "common/product.h"
#include "platform/kernel32_calls.h"
#include "platform/sim/simulated_windows.h"
#include "process/process_texts.h"
#include "ui/control_numbers.h"
#include "winsvc/event_queue.h"
#include "tests/headless/headless_window.h"
#include "winsvc/window_services.h"

namespace quellix {
namespace {

using namespace control;
using sim::Call;
using sim::CallMade;

constexpr DWORD kServer = 40;
constexpr DWORD kVdm = 44;
constexpr DWORD kLookalike = 50;  // the server's name in other letters
constexpr DWORD kServerAgain = 70;
constexpr WORD kIdeTask = 0x2f;

constexpr Call kAllCalls[] = {
    Call::kCreateSemaphoreA,
    Call::kEnumProcesses,
    Call::kOpenProcessToInspect,
    Call::kOpenProcessToTerminate,
    Call::kEnumProcessModules,
    Call::kGetModuleBaseNameA,
    Call::kVDMEnumTaskWOWEx,
    Call::kTerminateProcess,
    Call::kVDMTerminateTaskWOW,
    Call::kLoadImageA,
    Call::kRegisterWindowMessageA,
    Call::kShell_NotifyIconA,
    Call::kShellExecuteA,
    Call::kPreviousWindowProcedure,
    Call::kSetForegroundWindow,
    Call::kCoInitializeEx,
    Call::kChangeWindowMessageFilter,
};

const char* NameOf(Call call) {
  switch (call) {
    case Call::kCreateSemaphoreA:
      return "CreateSemaphoreA";
    case Call::kEnumProcesses:
      return "EnumProcesses";
    case Call::kOpenProcessToInspect:
      return "OpenProcess to inspect";
    case Call::kOpenProcessToTerminate:
      return "OpenProcess to terminate";
    case Call::kEnumProcessModules:
      return "EnumProcessModules";
    case Call::kGetModuleBaseNameA:
      return "GetModuleBaseNameA";
    case Call::kVDMEnumTaskWOWEx:
      return "VDMEnumTaskWOWEx";
    case Call::kTerminateProcess:
      return "TerminateProcess";
    case Call::kVDMTerminateTaskWOW:
      return "VDMTerminateTaskWOW";
    case Call::kLoadImageA:
      return "LoadImageA";
    case Call::kRegisterWindowMessageA:
      return "RegisterWindowMessageA";
    case Call::kShell_NotifyIconA:
      return "Shell_NotifyIconA";
    case Call::kShellExecuteA:
      return "ShellExecuteA";
    case Call::kPreviousWindowProcedure:
      return "the previous window procedure";
    case Call::kChangeWindowMessageFilter:
      return "ChangeWindowMessageFilter(Ex)";
    case Call::kSetForegroundWindow:
      return "SetForegroundWindow";
    case Call::kFindWindowA:
      return "FindWindowA";
    case Call::kCoInitializeEx:
      return "CoInitializeEx";
  }
  return "?";
}

// What one session left behind, for the checks.
struct Outcome {
  bool started = false;
  bool loopEnded = false;          // Exit ended the loop, rather than it running dry
  bool everUnreachable = false;    // hidden with no icon after some step
  bool unknownRowsBounded = true;  // at most one "<unknown>" row after any step
  bool rowsNamedAsTheSystem = true;
  int handlesLeftOpen = 0;
  std::vector<sim::MessageBoxShown> messageBoxes;
  std::vector<DWORD> terminated;
  std::vector<sim::TaskTermination> taskTerminations;
  std::vector<std::string> shellFiles;
  std::set<DWORD> running;  // ids still in the table at the end
  int comStartsOpen = 0;    // starts of COM not ended, or ends not asked for (below 0)
  std::vector<NOTIFYICONDATAA> trayIcons;
};

void FillSystem() {
  sim::SimulatedWindows& system = sim::System();
  system.AddProcess(4, "System");
  system.AddProcess(8, "smss.exe");
  system.AddProcess(kServer, "C60SRVX.EXE");
  sim::Process& vdm = system.AddProcess(kVdm, "NTVDM.EXE");
  vdm.hostsWow = true;
  vdm.tasks = {{45, 0x1f, "C:\\WINDOWS\\SYSTEM32\\WOWEXEC.EXE"},
               {46, kIdeTask, "C:\\CLARION6\\BIN\\C60EE.EXE"}};
  system.AddProcess(kLookalike, "c60srvx.exe");
  system.AddProcess(60, "explorer.exe");
}

void CheckStep(Outcome& outcome) {
  const bool hasIcon = !sim::System().trayIcons.empty();
  if (headless::IsHidden() && !hasIcon) outcome.everUnreachable = true;
  int unknown = 0;
  for (const ProcessRow& row : App().processList.Rows()) {
    const std::string_view name = row.APPPATH.Trimmed();
    if (name == kUnknownProcessName) {
      ++unknown;
      continue;
    }
    if (row.TASK16 != 0) continue;  // a task row names the task's file
    const sim::Process* process = sim::System().FindProcess(static_cast<DWORD>(row.ID));
    // A process ended since the scan may have left the table.
    if (process && process->name != name) outcome.rowsNamedAsTheSystem = false;
  }
  if (unknown > 1) outcome.unknownRowsBounded = false;
}

void ClickTrayIcon(int menuAnswer, Outcome& outcome) {
  headless::ScriptPopupAnswers({menuAnswer});
  headless::SendWindowMessage(kTrayCallbackMessage, kTrayIconId, WM_LBUTTONUP);
  RunEventLoop();
  CheckStep(outcome);
}

void Post(std::initializer_list<Event> events, Outcome& outcome) {
  for (const Event& event : events) PostEvent(event.code, event.control);
  RunEventLoop();
  CheckStep(outcome);
}

Outcome RunSession(std::optional<CallMade> failing) {
  sim::Reset();
  FillSystem();
  sim::System().failing = failing;
  Outcome outcome;
  outcome.started = StartUp();
  if (outcome.started) {
    RunEventLoop();
    CheckStep(outcome);
    ClickTrayIcon(1, outcome);  // About
    Post({{kEventAccepted, kWebRegion},
          {kEventAccepted, kMailRegion},
          {kEventPointerEntered, kWebRegion},
          {kEventPointerLeft, kWebRegion},
          {kEventAccepted, kTitleRegion}},
         outcome);
    Post({{kEventAccepted, kButtonClose}}, outcome);

    // A message the program leaves to the window's own procedure.
    headless::SendWindowMessage(WM_NULL, 0, 0);
    // The shell restarts: it forgot the icon and says its taskbar is back.
    auto& registered = sim::System().registeredMessages;
    const UINT taskbarCreated =
        registered.try_emplace("TaskbarCreated", 0xC000 + static_cast<UINT>(registered.size()))
            .first->second;
    sim::System().trayIcons.clear();
    headless::SendWindowMessage(taskbarCreated, 0, 0);
    RunEventLoop();
    CheckStep(outcome);

    ClickTrayIcon(2, outcome);  // Quellix: the server and the IDE's task
    sim::System().AddProcess(kServerAgain, "C60SRVX.EXE");
    ClickTrayIcon(3, outcome);          // Quellix + NTVDM
    headless::ScriptPopupAnswers({5});  // Exit
    headless::SendWindowMessage(kTrayCallbackMessage, kTrayIconId, WM_LBUTTONUP);
    RunEventLoop();
    outcome.loopEnded = !headless::RanDry();
    ShutDown();
  }
  if (App().singleInstance) os::CloseHandle(App().singleInstance);

  sim::SimulatedWindows& system = sim::System();
  outcome.handlesLeftOpen = system.OpenHandleCount();
  outcome.messageBoxes = system.messageBoxes;
  for (const sim::Termination& t : system.terminations) outcome.terminated.push_back(t.processId);
  outcome.taskTerminations = system.taskTerminations;
  for (const sim::ShellExecution& e : system.shellExecutions) {
    outcome.shellFiles.push_back(e.file.value_or("(none)"));
  }
  for (const sim::Process& p : system.processes) outcome.running.insert(p.id);
  outcome.comStartsOpen = system.comStartsOpen;
  outcome.trayIcons = system.trayIcons;
  return outcome;
}

bool IsSubsequence(const std::vector<DWORD>& part, const std::vector<DWORD>& whole) {
  auto at = whole.begin();
  for (DWORD id : part) {
    at = std::find(at, whole.end(), id);
    if (at == whole.end()) return false;
    ++at;
  }
  return true;
}

TEST(FailureInjection, EveryCallFailingAtEachPointLeavesTheProgramSoundAndEndsNothingElse) {
  // The session as it goes when nothing fails, and the calls it makes.
  const Outcome clean = RunSession(std::nullopt);
  const std::map<Call, int> callsMade = sim::System().callsMade;
  ASSERT_TRUE(clean.loopEnded);
  ASSERT_EQ(clean.terminated, (std::vector<DWORD>{kServer, kServerAgain, kVdm}));
  ASSERT_EQ(clean.taskTerminations, (std::vector<sim::TaskTermination>{{kVdm, kIdeTask, true}}));
  const std::string webSite(kWebSite);
  const std::string mail = "mailto:" + std::string(kMailAddress);
  ASSERT_EQ(clean.shellFiles, (std::vector<std::string>{webSite, mail}));
  ASSERT_FALSE(clean.everUnreachable);
  ASSERT_TRUE(clean.messageBoxes.empty());

  int cases = 0;
  for (Call call : kAllCalls) {
    const auto made = callsMade.find(call);
    ASSERT_NE(made, callsMade.end()) << NameOf(call) << " is never made: the table misses it";
    for (int time = 1; time <= made->second; ++time) {
      ++cases;
      SCOPED_TRACE(std::string(NameOf(call)) + " failing the " + std::to_string(time) +
                   ". time of " + std::to_string(made->second));
      const Outcome outcome = RunSession(CallMade{call, time});

      EXPECT_TRUE(outcome.started);
      EXPECT_TRUE(outcome.loopEnded) << "Exit no longer ends the program";
      EXPECT_EQ(outcome.handlesLeftOpen, 0);
      EXPECT_EQ(outcome.comStartsOpen, 0) << "COM left started, or ended without a start";
      EXPECT_FALSE(outcome.everUnreachable) << "hidden with no icon";
      EXPECT_TRUE(outcome.unknownRowsBounded);
      EXPECT_TRUE(outcome.rowsNamedAsTheSystem);

      // Only a failing enumeration is reported, once, with the bytes it returned.
      if (call == Call::kEnumProcesses) {
        ASSERT_EQ(outcome.messageBoxes.size(), 1u);
        EXPECT_EQ(outcome.messageBoxes[0].caption, kEnumProcessesFailedCaption);
        EXPECT_EQ(outcome.messageBoxes[0].text, "0");
      } else {
        EXPECT_TRUE(outcome.messageBoxes.empty());
      }

      // Nothing is ended that the clean session does not end, nor in another order.
      EXPECT_TRUE(IsSubsequence(outcome.terminated, clean.terminated));
      for (const sim::TaskTermination& t : outcome.taskTerminations) {
        EXPECT_EQ(t.processId, kVdm);
        EXPECT_EQ(t.task16, kIdeTask);
      }
      EXPECT_TRUE(outcome.running.contains(kLookalike));
      EXPECT_TRUE(outcome.running.contains(4) && outcome.running.contains(8) &&
                  outcome.running.contains(60));
      // A process the system would not end is not counted as ended: the
      // session ends one fewer (the next kill may take it instead).
      if (call == Call::kTerminateProcess) {
        EXPECT_EQ(outcome.terminated.size(), clean.terminated.size() - 1);
      }
      // A failure away from the kill path changes nothing of what is ended.
      const std::set<Call> killPath{Call::kEnumProcesses,      Call::kOpenProcessToInspect,
                                    Call::kEnumProcessModules, Call::kGetModuleBaseNameA,
                                    Call::kVDMEnumTaskWOWEx,   Call::kOpenProcessToTerminate,
                                    Call::kTerminateProcess,   Call::kVDMTerminateTaskWOW};
      if (!killPath.contains(call)) {
        EXPECT_EQ(outcome.terminated, clean.terminated);
        EXPECT_EQ(outcome.taskTerminations, clean.taskTerminations);
      }
      // Without COM the links are opened all the same, and the rest goes as
      // in the clean session.
      if (call == Call::kCoInitializeEx) {
        EXPECT_EQ(outcome.shellFiles, clean.shellFiles);
        EXPECT_EQ(outcome.trayIcons.size(), clean.trayIcons.size());
      }
      // The shell is only ever handed the two addresses the About page shows.
      for (const std::string& file : outcome.shellFiles) {
        EXPECT_TRUE(file == webSite || file == mail) << file;
      }
    }
  }
  std::cout << "[          ] " << cases << " sessions, each with one failing call\n";
  EXPECT_GT(cases, 50);
}

}  // namespace
}  // namespace quellix
