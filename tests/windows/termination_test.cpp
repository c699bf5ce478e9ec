// Termination and the single-instance semaphore against the real system, with
// dummy processes of the test's own.
#include "process/termination.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "dummy_processes.h"
#include "platform/kernel32_calls.h"

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

TEST(TerminationOnWindows, ASecondSemaphoreOfTheSameNameReportsThatItExists) {
  const std::string name = "quellix test guard " + std::to_string(::GetCurrentProcessId());

  const HANDLE first = os::CreateSemaphoreA(nullptr, 0, 1, name.c_str());
  ASSERT_NE(first, nullptr);
  EXPECT_NE(os::GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
  const HANDLE second = os::CreateSemaphoreA(nullptr, 0, 1, name.c_str());
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(os::GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
  os::CloseHandle(second);
  os::CloseHandle(first);

  // Gone with its last handle: the next one is new again.
  const HANDLE again = os::CreateSemaphoreA(nullptr, 0, 1, name.c_str());
  ASSERT_NE(again, nullptr);
  EXPECT_NE(os::GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
  os::CloseHandle(again);
}

}  // namespace
}  // namespace quellix
