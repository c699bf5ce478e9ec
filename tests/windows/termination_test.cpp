// Termination against the real system, with dummy processes of the test's own.
#include "process/termination.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "dummy_processes.h"

namespace quellix {
namespace {

using testing::DummyFolder;
using testing::DummyProcess;

// TerminateProcess only starts the end of a process; wait until it is over.
bool EndsWithin(const DummyProcess& process, DWORD milliseconds) {
  for (DWORD waited = 0; waited < milliseconds; waited += 50) {
    if (!process.IsRunning()) return true;
    ::Sleep(50);
  }
  return !process.IsRunning();
}

TEST(TerminationOnWindows, KillProcessEndsThatProcessOnly) {
  DummyFolder folder;
  const DummyProcess server = folder.Start("C60SRVX.EXE");
  const DummyProcess bystander = folder.Start("C55SRVX.EXE");

  EXPECT_TRUE(KillProcess(server.Id()));

  EXPECT_TRUE(EndsWithin(server, 10000));
  EXPECT_TRUE(bystander.IsRunning());
}

TEST(TerminationOnWindows, KillWowTaskOfAProcessThatIsNoVdmFailsAndEndsNothing) {
  DummyFolder folder;
  const DummyProcess vdm = folder.Start("NTVDM.EXE");

  // Reaching the next line at all shows this process survived the call.
  EXPECT_FALSE(KillWowTask(vdm.Id(), 0x2f));
  EXPECT_FALSE(KillWowTask(0, 0x2f));

  EXPECT_TRUE(vdm.IsRunning());
}

}  // namespace
}  // namespace quellix
