// The simulated system calls that other tests build on, where the simulation
// does more than record: handles, named semaphores, the tray's icon set.
#include "platform/sim/simulated_windows.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/kernel32_calls.h"
#include "platform/shell32_calls.h"
#include "simulated_system_test.h"

namespace quellix {
namespace {

using ::testing::ElementsAre;
using SimulatedWindowsTest = testing::SimulatedSystemTest;

TEST_F(SimulatedWindowsTest, TerminateProcessNeedsAHandleWithTheRightToTerminate) {
  System().AddProcess(40, "C60SRVX.EXE");
  const HANDLE query = os::OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, 40);
  const HANDLE terminate = os::OpenProcess(PROCESS_TERMINATE, FALSE, 40);

  EXPECT_FALSE(os::TerminateProcess(query, 1));
  EXPECT_NE(System().FindProcess(40), nullptr);
  EXPECT_TRUE(os::TerminateProcess(terminate, 7));
  EXPECT_EQ(System().FindProcess(40), nullptr);
  EXPECT_THAT(System().terminations, ElementsAre(sim::Termination{40, 7}));

  // The handles outlive the process and must still be closed.
  EXPECT_EQ(System().OpenHandleCount(), 2);
  EXPECT_TRUE(os::CloseHandle(query));
  EXPECT_TRUE(os::CloseHandle(terminate));
}

TEST_F(SimulatedWindowsTest, ANamedSemaphoreExistsWhileOneOfItsHandlesIsOpen) {
  const HANDLE first = os::CreateSemaphoreA(nullptr, 0, 1, "guard");
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(os::GetLastError(), 0u);
  const HANDLE second = os::CreateSemaphoreA(nullptr, 0, 1, "guard");
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(os::GetLastError(), ERROR_ALREADY_EXISTS);
  const HANDLE other = os::CreateSemaphoreA(nullptr, 0, 1, "other");
  EXPECT_EQ(os::GetLastError(), 0u);
  EXPECT_EQ(System().OpenHandleCount(), 3);

  os::CloseHandle(first);
  const HANDLE unnamed = os::CreateSemaphoreA(nullptr, 0, 1, nullptr);  // always a new one
  EXPECT_NE(unnamed, nullptr);
  EXPECT_EQ(os::GetLastError(), 0u);
  os::CloseHandle(os::CreateSemaphoreA(nullptr, 0, 1, "guard"));
  EXPECT_EQ(os::GetLastError(), ERROR_ALREADY_EXISTS);  // second is still open

  os::CloseHandle(second);
  const HANDLE again = os::CreateSemaphoreA(nullptr, 0, 1, "guard");
  EXPECT_EQ(os::GetLastError(), 0u);

  System().FailNext(sim::Call::kCreateSemaphoreA);
  EXPECT_EQ(os::CreateSemaphoreA(nullptr, 0, 1, "guard"), nullptr);
  EXPECT_NE(os::GetLastError(), ERROR_ALREADY_EXISTS);

  for (HANDLE handle : {other, unnamed, again}) EXPECT_TRUE(os::CloseHandle(handle));
}

NOTIFYICONDATAA Icon(UINT id, const char* tip) {
  NOTIFYICONDATAA data{};
  data.cbSize = NOTIFYICONDATAA_V1_SIZE;
  data.hWnd = reinterpret_cast<HWND>(0x500);
  data.uID = id;
  data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  data.uCallbackMessage = WM_USER + 64;
  std::strncpy(data.szTip, tip, sizeof data.szTip - 1);
  return data;
}

TEST_F(SimulatedWindowsTest, TheTrayHoldsEachIconOnceAndRecordsEveryCall) {
  NOTIFYICONDATAA main = Icon(100, "first");
  NOTIFYICONDATAA other = Icon(101, "other");

  EXPECT_TRUE(os::Shell_NotifyIconA(NIM_ADD, &main));
  EXPECT_FALSE(os::Shell_NotifyIconA(NIM_ADD, &main));
  EXPECT_TRUE(os::Shell_NotifyIconA(NIM_ADD, &other));
  NOTIFYICONDATAA retitled = Icon(100, "second");
  retitled.uFlags = NIF_TIP;
  EXPECT_TRUE(os::Shell_NotifyIconA(NIM_MODIFY, &retitled));
  ASSERT_EQ(System().trayIcons.size(), 2u);
  EXPECT_STREQ(System().trayIcons[0].szTip, "second");
  EXPECT_EQ(System().trayIcons[0].uCallbackMessage, WM_USER + 64);

  EXPECT_TRUE(os::Shell_NotifyIconA(NIM_DELETE, &main));
  EXPECT_FALSE(os::Shell_NotifyIconA(NIM_DELETE, &main));
  EXPECT_FALSE(os::Shell_NotifyIconA(NIM_MODIFY, &main));
  ASSERT_EQ(System().trayIcons.size(), 1u);
  EXPECT_EQ(System().trayIcons[0].uID, 101u);

  ASSERT_EQ(System().trayCalls.size(), 7u);
  EXPECT_EQ(System().trayCalls[1].message, NIM_ADD);
  EXPECT_FALSE(System().trayCalls[1].result);
  EXPECT_EQ(System().trayCalls[5].message, NIM_DELETE);
  EXPECT_EQ(System().trayCalls[5].data.cbSize, 88u);
  EXPECT_STREQ(System().trayCalls[5].data.szTip, "first");
}

}  // namespace
}  // namespace quellix
