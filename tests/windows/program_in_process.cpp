#include "tests/windows/program_in_process.h"

#include "app/app_state.h"
#include "app/dispatch.h"
#include "app/program.h"
#include "app/tray.h"
#include "platform/kernel32_calls.h"
#include "process/process_list.h"
#include "process/process_scan.h"
#include "winsvc/main_window_model.h"
#include "winsvc/window_model.h"
#include "winsvc/window_services.h"

namespace quellix::testing {
namespace {

// Posted by a timer to end a step; the control carries the step's number, so
// that a marker from an earlier step cannot end a later one.
constexpr EventCode kEndOfStep = kFirstApplicationEvent + 3000;
// A timer's message comes only when no other message is pending: by then
// every event the step raised is queued ahead of the marker. The system makes
// it at least 10 ms.
constexpr UINT kStepMilliseconds = 1;

ControlNumber currentStep = 0;

void CALLBACK EndStep(HWND, UINT, UINT_PTR, DWORD) { PostEvent(kEndOfStep, currentStep); }

}  // namespace

bool RunStep() {
  ++currentStep;
  const UINT_PTR timer = ::SetTimer(nullptr, 0, kStepMilliseconds, &EndStep);
  bool going = false;
  while ((going = NextEvent())) {
    if (CurrentEvent() == kEndOfStep) {
      if (CurrentControl() == currentStep) break;
      continue;
    }
    DispatchEvent();
  }
  ::KillTimer(nullptr, timer);
  return going;
}

void RunUntilIdle() {
  while (RunStep() && MainWindowModel() && MainWindowModel()->PendingCount() > 0) {
  }
}

void PressControl(ControlNumber control) {
  PostEvent(kEventAccepted, control);
  RunUntilIdle();
}

void ShowWindowFromTray() {
  ShowFromTray();
  RunUntilIdle();
}

bool ListedByAScan(DWORD processId) {
  ProcessList list;
  ScanProcesses(list);
  for (const ProcessRow& row : list.Rows()) {
    if (row.ID == static_cast<std::int32_t>(processId)) return true;
  }
  return false;
}

DummyProcess StartListed(DummyFolder& folder, const std::string& executableName) {
  DummyProcess process = folder.Start(executableName);
  for (int attempt = 0; attempt < 100 && !ListedByAScan(process.Id()); ++attempt) ::Sleep(10);
  return process;
}

bool EndsWithin(const DummyProcess& process, DWORD milliseconds) {
  for (DWORD waited = 0; waited < milliseconds; waited += 5) {
    if (!process.IsRunning()) return true;
    ::Sleep(5);
  }
  return !process.IsRunning();
}

void ProgramTest::SetUp() {
  ASSERT_TRUE(StartUp()) << "another copy of the program runs in this Wine prefix";
  RunUntilIdle();
}

void ProgramTest::TearDown() {
  ShutDown();
  // By design the guard stays open until the process ends; a test ends it.
  if (App().singleInstance) os::CloseHandle(App().singleInstance);
  App().singleInstance = nullptr;
}

}  // namespace quellix::testing
