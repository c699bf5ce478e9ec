// A long run of the real program in this process: the list rebuilt, the
// window hidden to the tray and shown again, the links hovered and the kill
// sequence run against dummy servers, many times over. Whatever the program
// holds after a warm-up must be all it ever holds: handles, fonts, child
// windows and memory are counted before and after the run.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <cstdio>

#include "app/app_state.h"
#include "app/dispatch.h"
#include "app/program.h"
#include "app/tray.h"
#include "dummy_processes.h"
#include "platform/kernel32_calls.h"
#include "process/process_list.h"
#include "process/process_scan.h"
#include "process/process_texts.h"
#include "resource_counts.h"
#include "ui/control_numbers.h"
#include "winsvc/main_window_model.h"
#include "winsvc/window_model.h"
#include "winsvc/window_services.h"

namespace quellix {
namespace {

using testing::DummyFolder;
using testing::DummyProcess;
using testing::ResourceCounts;

constexpr int kRebuilds = 500;
constexpr int kTrayCycles = 200;
constexpr int kPointerPasses = 1000;
constexpr int kPointerPassesPerStep = 10;
// Each kill waits a second by design: this many keep the run near a minute.
constexpr int kKills = 50;

// Heap growth after the warm-up should be none, but under Wine the figure is
// the host's resident anonymous memory, counted in whole pages, which also
// moves with pages Wine's own libraries touch for the first time (the X
// driver, the font cache) and with heap blocks split differently from one run
// to the next. A leak of a small block per operation still passes this mark
// over the run's 1,750 operations: 256 KiB is about 150 bytes each.
constexpr SIZE_T kPrivateBytesTolerance = 256 * 1024;

// Posted by a timer to end a step; the control carries the step's number, so
// that a marker from an earlier step cannot end a later one.
constexpr EventCode kEndOfStep = kFirstApplicationEvent + 3000;
// A timer's message comes only when no other message is pending: by then
// every event the step raised is queued ahead of the marker. The system makes
// it at least 10 ms.
constexpr UINT kStepMilliseconds = 1;

ControlNumber currentStep = 0;

void CALLBACK EndStep(HWND, UINT, UINT_PTR, DWORD) { PostEvent(kEndOfStep, currentStep); }

// Runs the program's loop, dispatching each event as the program does, until
// the step's marker comes; false if the loop ended.
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

// Steps until no event is left behind the marker.
void RunUntilIdle() {
  while (RunStep() && MainWindowModel() && MainWindowModel()->PendingCount() > 0) {
  }
}

void Press(ControlNumber control) {
  PostEvent(kEventAccepted, control);
  RunUntilIdle();
}

// What the tray menu's About does without the menu: shows the window, whose
// restoring raises the event on which the icon goes.
void Show() {
  ShowFromTray();
  RunUntilIdle();
}

void HideToTrayWithClose() { Press(control::kButtonClose); }

// The strip along the top of the window: a rebuild of the list and the next page.
void RebuildList() { Press(control::kTitleRegion); }

void ShowAboutPage() {
  for (int i = 0; i < 3 && CurrentTab(control::kCurrentTab) != 1; ++i) RebuildList();
}

// The pointer over each link and off it again, `passes` times, in one step:
// every event still goes through the dispatch on its own, and the window
// paints the links once a step. (A step per pass would spend most of the
// phase waiting for the timer.)
void PassPointerOverLinks(int passes) {
  for (int i = 0; i < passes; ++i) {
    for (ControlNumber region : {control::kWebRegion, control::kMailRegion}) {
      PostEvent(kEventPointerEntered, region);
      PostEvent(kEventPointerLeft, region);
    }
  }
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

// TerminateProcess only starts the end of a process; wait until it is over.
bool EndsWithin(const DummyProcess& process, DWORD milliseconds) {
  for (DWORD waited = 0; waited < milliseconds; waited += 5) {
    if (!process.IsRunning()) return true;
    ::Sleep(5);
  }
  return !process.IsRunning();
}

// A dummy server started, seen by a scan, and ended by the Kill button; each in
// a folder of its own, which goes with it.
::testing::AssertionResult KillADummyServer() {
  DummyFolder folder;
  const DummyProcess server = folder.Start("C60SRVX.EXE");
  bool listed = ListedByAScan(server.Id());
  for (int attempt = 0; attempt < 100 && !listed; ++attempt) {
    ::Sleep(10);
    listed = ListedByAScan(server.Id());
  }
  if (!listed) return ::testing::AssertionFailure() << "never listed";
  Press(control::kButtonKill);
  if (!EndsWithin(server, 10000)) return ::testing::AssertionFailure() << "still running";
  return ::testing::AssertionSuccess();
}

class SoakTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(StartUp()) << "another copy of the program runs in this Wine prefix";
    RunUntilIdle();
    // The Kill button ends the server and, with a blank target, only the IDE's
    // task; no NTVDM.EXE may run for the sequence to find.
    ASSERT_TRUE(App().killTarget.Trimmed().empty());
    ProcessList list;
    ScanProcesses(list);
    ASSERT_EQ(list.FindByAppPath(kNtvdmName), nullptr);
  }
  void TearDown() override {
    ShutDown();
    // By design the guard stays open until the process ends; a test ends it.
    if (App().singleInstance) os::CloseHandle(App().singleInstance);
    App().singleInstance = nullptr;
  }

  // Each operation of the run once, a few times over, so that what is made
  // when first needed (fonts, the list's rows, the system's caches) is there
  // before the first count. Ends as the run ends: in the tray, on About.
  static void WarmUp() {
    Show();
    for (int i = 0; i < 3; ++i) RebuildList();
    ShowAboutPage();
    for (int i = 0; i < 3; ++i) PassPointerOverLinks(kPointerPassesPerStep);
    HideToTrayWithClose();
    for (int i = 0; i < 3; ++i) {
      Show();
      HideToTrayWithClose();
    }
    for (int i = 0; i < 2; ++i) ASSERT_TRUE(KillADummyServer());
  }

  static ResourceCounts Measure() {
    EXPECT_TRUE(testing::FontCountIsRunning());
    EXPECT_TRUE(App().inTray);
    EXPECT_EQ(CurrentTab(control::kCurrentTab), 1);
    return testing::MeasureResources(NativeHandle());
  }
};

// Prints how long a phase took.
class PhaseTimer {
 public:
  explicit PhaseTimer(const char* name) : name_(name), start_(::GetTickCount()) {}
  ~PhaseTimer() { std::printf("  %-22s %6lu ms\n", name_, ::GetTickCount() - start_); }
  PhaseTimer(const PhaseTimer&) = delete;
  PhaseTimer& operator=(const PhaseTimer&) = delete;

 private:
  const char* name_;
  DWORD start_;
};

TEST_F(SoakTest, ALongRunHoldsNoMoreThanAfterItsWarmUp) {
  WarmUp();
  if (HasFatalFailure()) return;
  const ResourceCounts before = Measure();

  {
    const PhaseTimer timer("list rebuilds");
    Show();
    for (int i = 0; i < kRebuilds; ++i) RebuildList();
    ShowAboutPage();
  }
  {
    const PhaseTimer timer("pointer passes");
    for (int i = 0; i < kPointerPasses; i += kPointerPassesPerStep) {
      PassPointerOverLinks(kPointerPassesPerStep);
    }
    HideToTrayWithClose();
  }
  {
    const PhaseTimer timer("tray cycles");
    for (int i = 0; i < kTrayCycles; ++i) {
      Show();
      ASSERT_FALSE(App().inTray) << "cycle " << i;
      HideToTrayWithClose();
      ASSERT_TRUE(App().inTray) << "cycle " << i;
    }
  }
  {
    const PhaseTimer timer("kill sequences");
    for (int i = 0; i < kKills; ++i) ASSERT_TRUE(KillADummyServer()) << "kill " << i;
  }

  const ResourceCounts after = Measure();
  testing::PrintResources(before, after);
  EXPECT_LE(after.handles, before.handles);
  // Wine counts no GDI or USER objects (both are 0); the fonts and the child
  // windows below stand in for them there.
  EXPECT_LE(after.gdiObjects, before.gdiObjects);
  EXPECT_LE(after.userObjects, before.userObjects);
  EXPECT_LE(after.fonts, before.fonts);
  EXPECT_LE(after.childWindows, before.childWindows);
  EXPECT_LE(after.privateBytes, before.privateBytes + kPrivateBytesTolerance);
}

}  // namespace
}  // namespace quellix
