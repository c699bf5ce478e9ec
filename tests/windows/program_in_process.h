#pragma once
// The real program run in the test's own process, a step at a time: each event
// goes through the program's dispatch, as its loop takes it, until nothing is
// left behind the step. The fixture starts the program as Windows does and
// ends it again.

#include <gtest/gtest.h>
#include <windows.h>

#include "common/events.h"
#include "tests/windows/dummy_processes.h"

namespace quellix::testing {

// Runs the program's loop until the events of the step so far have been
// dispatched; false if the loop ended.
bool RunStep();
// Steps until no event is left behind the marker.
void RunUntilIdle();
// An accepted event for the control, as a click on it gives, dispatched.
void PressControl(ControlNumber control);
// What the tray menu's About does without the menu: shows the window, whose
// restoring raises the event on which the icon goes.
void ShowWindowFromTray();

// Whether a scan of the system lists the process.
bool ListedByAScan(DWORD processId);
// A process started for the test, once a scan lists it; it runs until the
// returned object ends it.
DummyProcess StartListed(DummyFolder& folder, const std::string& executableName);
// TerminateProcess only starts the end of a process; waits until it is over.
bool EndsWithin(const DummyProcess& process, DWORD milliseconds);

class ProgramTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
};

}  // namespace quellix::testing
