#pragma once
// A started program on the simulated system and the headless window: each
// test begins right after start-up, with the window hidden in the tray.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <vector>

#include "app/app_state.h"
#include "app/program.h"
#include "common/events.h"
#include "platform/kernel32_calls.h"
#include "platform/sim/simulated_windows.h"
#include "ui/control_numbers.h"
#include "tests/headless/headless_window.h"
#include "winsvc/window_services.h"

namespace quellix::testing {

class StartedProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    sim::Reset();
    AddSystemProcesses();
    ASSERT_TRUE(StartUp());
    RunPending();  // what start-up itself raised (the window iconized)
  }
  void TearDown() override {
    ShutDown();
    // By design the guard stays open until the process ends; a test ends it.
    if (App().singleInstance) os::CloseHandle(App().singleInstance);
    EXPECT_EQ(sim::System().OpenHandleCount(), 0) << "handles left open";
    EXPECT_EQ(sim::System().destroyedIcons.size(), LoadedIconCount()) << "icons left loaded";
  }
  static std::size_t LoadedIconCount() {
    std::size_t count = 0;
    for (const sim::ImageLoad& load : sim::System().imageLoads) count += load.image != nullptr;
    return count;
  }
  // Processes that run before the test adds its own.
  virtual void AddSystemProcesses() {
    System().AddProcess(4, "System");
    System().AddProcess(8, "smss.exe");
  }

  // Runs the loop until nothing is pending; the loop may also end.
  static void RunPending() { RunEventLoop(); }

  // Presses the kill button and runs what it set off.
  static void PressKill() {
    PostEvent(kEventAccepted, control::kButtonKill);
    RunPending();
  }
  // The ids of the processes ended so far, in order.
  static std::vector<DWORD> Terminated() {
    std::vector<DWORD> ids;
    for (const sim::Termination& t : sim::System().terminations) ids.push_back(t.processId);
    return ids;
  }

  static sim::SimulatedWindows& System() { return sim::System(); }
  static WindowModel& Model() { return headless::Model(); }
  static bool IconInTray() { return !sim::System().trayIcons.empty(); }
  static int TrayCalls(DWORD message) {
    int count = 0;
    for (const sim::TrayCall& call : sim::System().trayCalls) count += call.message == message;
    return count;
  }
};

}  // namespace quellix::testing
