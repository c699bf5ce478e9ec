#include <gtest/gtest.h>

#include "app/app_state.h"
#include "app/program.h"
#include "app/tray.h"
#include "app_test_fixture.h"
#include "ui/control_numbers.h"
#include "winsvc/main_window_model.h"

namespace quellix {
namespace {

using StartUpTest = testing::StartedProgramTest;

TEST_F(StartUpTest, TheProgramStartsHiddenWithItsIconAndTheDefaultEdition) {
  EXPECT_EQ(App().versionCode.View(), "C60EE       ");
  EXPECT_EQ(App().ideName.View(), "C60EE.EXE   ");
  EXPECT_EQ(App().serverName.View(), "C60SRVX.EXE ");
  EXPECT_EQ(App().killTarget.Trimmed(), "");
  EXPECT_TRUE(headless::IsHidden());
  EXPECT_TRUE(headless::IsIconized());
  ASSERT_EQ(System().trayIcons.size(), 1u);
  const NOTIFYICONDATAA& icon = System().trayIcons[0];
  EXPECT_EQ(icon.cbSize, 88u);
  EXPECT_EQ(icon.hWnd, NativeHandle());
  EXPECT_EQ(icon.uID, 100u);
  EXPECT_EQ(icon.uFlags, 7u);
  EXPECT_EQ(icon.uCallbackMessage, 1088u);
  EXPECT_NE(icon.hIcon, nullptr);
  EXPECT_STREQ(icon.szTip, "Quellix.");
  ASSERT_EQ(System().imageLoads.size(), 1u);
  EXPECT_EQ(System().imageLoads[0].name, "CLARION_ICO");
  EXPECT_EQ(System().imageLoads[0].cx, 16);
  EXPECT_EQ(System().imageLoads[0].cy, 16);
  EXPECT_EQ(Model().ControlText(control::kTitleString), "Processes running...");
  EXPECT_EQ(Model().SelectedRadio(control::kClarionVersion), control::kOption1Radio6);
  EXPECT_EQ(CurrentTab(control::kCurrentTab), 1);
  EXPECT_TRUE(System().messageBoxes.empty());
  // The guard: named, no count to take, and not handed to child processes.
  EXPECT_THAT(System().semaphoreCreations,
              ::testing::ElementsAre(sim::SemaphoreCreation{false, 0, 1, "Quellix is there"}));
}

TEST_F(StartUpTest, TheTrayIconIsReleasedOnlyWhenTheProgramHasEnded) {
  ASSERT_EQ(LoadedIconCount(), 1u);
  PostEvent(kEventAccepted, control::kButtonKill);
  RunPending();
  EXPECT_TRUE(System().destroyedIcons.empty()) << "released while the tray shows it";
  ShutDown();
  EXPECT_THAT(System().destroyedIcons, ::testing::ElementsAre(System().imageLoads[0].image));
}

TEST(StartUpGuard, ACopyStartedWhileAnotherRunsOpensNothingAndExitsWithZero) {
  sim::Reset();
  const HANDLE otherCopy = os::CreateSemaphoreA(nullptr, 0, 1, kSingleInstanceName);
  EXPECT_EQ(RunQuellix(), 0);
  EXPECT_TRUE(sim::System().trayCalls.empty());
  EXPECT_TRUE(sim::System().imageLoads.empty());
  EXPECT_EQ(MainWindowModel(), nullptr);
  // The other copy's guard is left as it was: open, and only its handle.
  EXPECT_TRUE(sim::System().SemaphoreExists(kSingleInstanceName));
  EXPECT_EQ(sim::System().OpenHandleCount(), 1);
  os::CloseHandle(otherCopy);
}

TEST(StartUpGuard, AFailingGuardLetsTheProgramRunAndQuitWithZero) {
  sim::Reset();
  sim::System().FailNext(sim::Call::kCreateSemaphoreA);
  ASSERT_TRUE(StartUp());
  EXPECT_EQ(App().singleInstance, nullptr);
  PostEvent(kEventAccepted, control::kButtonQuit);
  RunEventLoop();
  ShutDown();
  EXPECT_TRUE(sim::System().trayIcons.empty()) << "the icon outlived the program";
  EXPECT_EQ(sim::System().OpenHandleCount(), 0);
}

TEST_F(StartUpTest, AfterTheLastCopyHasEndedANewOneStarts) {
  ShutDown();
  os::CloseHandle(App().singleInstance);
  App().singleInstance = nullptr;
  EXPECT_TRUE(StartUp());
}

constexpr DWORD kComForTheShell = 0x2 | 0x4;  // COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE

// COM is started for the first link, once; at rest the program has no use for it.
TEST_F(StartUpTest, LinksAreOpenedWithComStartedOnTheThreadAndComEndsAtShutdown) {
  EXPECT_TRUE(System().comStarts.empty()) << "COM started at rest";
  PostEvent(kEventAccepted, control::kWebRegion);
  PostEvent(kEventAccepted, control::kMailRegion);
  RunPending();
  EXPECT_EQ(System().comStarts, std::vector<DWORD>{kComForTheShell});
  ASSERT_EQ(System().shellExecutions.size(), 2u);
  for (const sim::ShellExecution& link : System().shellExecutions) {
    EXPECT_TRUE(link.comInitialized) << link.file.value_or("");
  }
  ShutDown();
  EXPECT_EQ(System().comStartsOpen, 0);
  EXPECT_EQ(System().comStarts.size(), 1u);
}

TEST(StartUpCom, WithoutComTheLinksOpenAllTheSameAndNothingIsEnded) {
  sim::Reset();
  sim::System().FailNext(sim::Call::kCoInitializeEx);
  ASSERT_TRUE(StartUp());
  EXPECT_TRUE(headless::IsHidden());
  EXPECT_EQ(sim::System().trayIcons.size(), 1u);
  PostEvent(kEventAccepted, control::kWebRegion);
  PostEvent(kEventAccepted, control::kMailRegion);
  RunEventLoop();
  EXPECT_EQ(sim::System().shellExecutions.size(), 2u);
  EXPECT_EQ(sim::System().comStarts.size(), 1u) << "tried again for each link";
  ShutDown();
  EXPECT_EQ(sim::System().comStartsOpen, 0) << "COM ended without having started";
  os::CloseHandle(App().singleInstance);
}

// With no window and no icon nobody could reach this copy, and its guard would
// keep every later one from starting.
TEST(StartUpWindow, AWindowThatCannotBeMadeEndsTheProgramAtOnceWithZero) {
  sim::Reset();
  headless::FailNextWindowCreation();
  EXPECT_EQ(RunQuellix(), 0);
  EXPECT_EQ(MainWindowModel(), nullptr);
  EXPECT_TRUE(sim::System().trayCalls.empty());
  EXPECT_TRUE(sim::System().imageLoads.empty());
  EXPECT_TRUE(sim::System().comStarts.empty());
  os::CloseHandle(App().singleInstance);
  EXPECT_EQ(sim::System().OpenHandleCount(), 0);
  EXPECT_TRUE(StartUp()) << "a later copy starts";
  ShutDown();
  os::CloseHandle(App().singleInstance);
}

}  // namespace
}  // namespace quellix
