#include "app/tray.h"

#include <gtest/gtest.h>

#include "app/app_events.h"
#include "app/app_state.h"
#include "app_test_fixture.h"
#include "platform/user32_calls.h"
#include "ui/control_numbers.h"
#include "winsvc/popup_menu.h"

namespace quellix {
namespace {

using TrayTest = testing::StartedProgramTest;

// The events waiting for the loop, size changes left out.
std::vector<Event> Pending() {
  std::vector<Event> events;
  WindowModel& model = headless::Model();
  while (model.TakeNextEvent() == NextResult::kEvent) {
    const EventCode code = model.CurrentEvent();
    if (code >= kEventRestored && code <= kEventIconized) continue;
    events.push_back({code, model.CurrentControl()});
  }
  return events;
}

// The shell's notifications of the other buttons, which the program never asks for by name.
constexpr LPARAM kRightDoubleClick = 0x0206;
constexpr LPARAM kMiddleDown = 0x0207;
constexpr LPARAM kMiddleUp = 0x0208;
constexpr LPARAM kMiddleDoubleClick = 0x0209;

TEST_F(TrayTest, OnlyReleasingAButtonOverTheIconAsksForTheMenu) {
  const LPARAM notifications[] = {
      WM_LBUTTONUP, WM_RBUTTONUP,     WM_LBUTTONDOWN,        WM_RBUTTONDOWN,
      WM_MOUSEMOVE, WM_LBUTTONDBLCLK, kRightDoubleClick,     kMiddleDoubleClick,
      kMiddleDown,  kMiddleUp,        0x10000 | WM_LBUTTONUP /* high bits ignored */};
  for (LPARAM notification : notifications) {
    EXPECT_EQ(headless::SendWindowMessage(kTrayCallbackMessage, 100, notification), 0);
  }
  EXPECT_EQ(Pending(), (std::vector<Event>{{kEventTrayMenuRequest, 0},
                                           {kEventTrayMenuRequest, 0},
                                           {kEventTrayMenuRequest, 0}}));
}

TEST_F(TrayTest, TheEndOfTheSessionIsLetThroughAndClosesTheProgram) {
  EXPECT_EQ(headless::SendWindowMessage(WM_QUERYENDSESSION, 0, 0), 1);
  EXPECT_TRUE(Pending().empty());
  EXPECT_EQ(headless::SendWindowMessage(WM_ENDSESSION, FALSE, 0), 1);
  EXPECT_EQ(Pending(), (std::vector<Event>{{kEventCloseWindow, 0}}));
}

TEST_F(TrayTest, OtherMessagesReachTheWindowsOwnProcedure) {
  headless::SendWindowMessage(WM_CLOSE, 0, 0);
  EXPECT_EQ(Pending(), (std::vector<Event>{{kEventCloseWindow, 0}}));
}

TEST_F(TrayTest, EachMenuItemDoesItsOwnThing) {
  struct Case {
    int answer;
    bool shown;
    std::vector<Event> posted;
    const char* killTarget;
  };
  const Case cases[] = {
      {1, true, {}, ""},
      {2, false, {{kEventAccepted, control::kButtonKill}}, "C60EE.EXE"},
      {3, false, {{kEventAccepted, control::kButtonKill}}, "NTVDM.EXE"},
      {4, false, {}, ""},
      {5, false, {{kEventCloseWindow, 0}}, ""},
      {0, false, {}, ""},
      {6, false, {}, ""},
  };
  for (const Case& c : cases) {
    App().killTarget.Clear();
    headless::ScriptPopupAnswers({c.answer});
    RunTrayMenu();
    EXPECT_EQ(!headless::IsHidden(), c.shown) << "item " << c.answer;
    EXPECT_EQ(Pending(), c.posted) << "item " << c.answer;
    EXPECT_EQ(App().killTarget.Trimmed(), c.killTarget) << "item " << c.answer;
    if (c.shown) HideToTray();
  }
  ASSERT_FALSE(headless::PopupCalls().empty());
  EXPECT_EQ(headless::PopupCalls()[0].menuString,
            "About|-|Quellix|Quellix + NTVDM|-|Cancel this menu|Exit");
  EXPECT_EQ(headless::PopupCalls()[0].x, kPointerCoordinate);
  EXPECT_EQ(headless::PopupCalls()[0].y, kPointerCoordinate);
}

TEST_F(TrayTest, AboutShowsTheWindowWithAFreshCountAndRestoringItRemovesTheIcon) {
  headless::ScriptPopupAnswers({1});
  PostEvent(kEventTrayMenuRequest, 0);
  RunPending();
  EXPECT_FALSE(headless::IsHidden());
  EXPECT_FALSE(headless::IsIconized());
  EXPECT_EQ(Model().ControlText(control::kTitleString), "2 Processes");
  EXPECT_FALSE(IconInTray());
  EXPECT_EQ(TrayCalls(NIM_DELETE), 1);
}

TEST_F(TrayTest, TheWindowComesBackOnThePageItWasHiddenOn) {
  headless::ScriptPopupAnswers({1, 1});
  PostEvent(kEventTrayMenuRequest, 0);
  RunPending();
  PostEvent(kEventAccepted, control::kTitleRegion);  // About to Processes
  PostEvent(kEventAccepted, control::kTitleRegion);  // to Version
  PostEvent(kEventAccepted, control::kButtonClose);
  RunPending();
  ASSERT_TRUE(headless::IsHidden());
  ASSERT_EQ(CurrentTab(control::kCurrentTab), 3);

  PostEvent(kEventTrayMenuRequest, 0);
  RunPending();
  EXPECT_FALSE(headless::IsHidden());
  EXPECT_EQ(CurrentTab(control::kCurrentTab), 3);
}

TEST_F(TrayTest, ARestartedTaskbarGetsTheIconBackWhileTheWindowIsInTheTray) {
  const UINT taskbarCreated = os::RegisterWindowMessageA("TaskbarCreated");
  System().trayIcons.clear();  // the shell forgot it
  headless::SendWindowMessage(taskbarCreated, 0, 0);
  EXPECT_FALSE(IconInTray()) << "the window procedure acted itself";
  RunPending();
  EXPECT_TRUE(IconInTray());

  // Shown, the program has no icon to bring back.
  headless::ScriptPopupAnswers({1});
  PostEvent(kEventTrayMenuRequest, 0);
  RunPending();
  ASSERT_FALSE(IconInTray());
  headless::SendWindowMessage(taskbarCreated, 0, 0);
  RunPending();
  EXPECT_FALSE(IconInTray());
}

// Run elevated, the window hears the shell's broadcast only if it lets it
// through: Windows 7 for the window alone, Vista for the process, XP never
// filters. A refused change is not retried in the other form.
TEST_F(TrayTest, TheTaskbarsBroadcastIsLetThroughTheMessageFilterAsEachSystemAllows) {
  const auto startOn = [this](sim::WindowsRelease release, bool refused) {
    ShutDown();
    os::CloseHandle(App().singleInstance);
    sim::Reset();
    System().release = release;
    if (refused) System().FailNext(sim::Call::kChangeWindowMessageFilter);
    EXPECT_TRUE(StartUp());
    return System().messageFilterChanges;
  };
  using Changes = std::vector<sim::MessageFilterChange>;
  const UINT taskbarCreated = App().taskbarCreatedMessage;
  ASSERT_NE(taskbarCreated, 0u);

  EXPECT_EQ(startOn(sim::WindowsRelease::kSeven, false),
            (Changes{{NativeHandle(), taskbarCreated, 1 /* MSGFLT_ALLOW */}}));
  EXPECT_EQ(startOn(sim::WindowsRelease::kVista, false),
            (Changes{{nullptr, taskbarCreated, 1 /* MSGFLT_ADD */}}));
  EXPECT_EQ(startOn(sim::WindowsRelease::kXp, false), Changes{});
  EXPECT_EQ(startOn(sim::WindowsRelease::kSeven, true), Changes{});
  EXPECT_EQ(System().callsMade[sim::Call::kChangeWindowMessageFilter], 1);

  // Learnt once: adding the icon again asks nothing more of the filter.
  startOn(sim::WindowsRelease::kSeven, false);
  HideToTray();
  EXPECT_EQ(System().messageFilterChanges.size(), 1u);
}

TEST_F(TrayTest, AWindowTheShellRefusesAnIconForComesBackInsteadOfStayingOutOfReach) {
  headless::ScriptPopupAnswers({1});
  PostEvent(kEventTrayMenuRequest, 0);
  RunPending();
  System().FailNext(sim::Call::kShell_NotifyIconA);
  HideToTray();
  RunPending();
  EXPECT_FALSE(headless::IsHidden());
  EXPECT_FALSE(headless::IsIconized());
  EXPECT_FALSE(App().inTray);

  // A shell that reports a failure for an icon it did take: the window stays
  // in the tray.
  HideToTray();
  RunPending();
  ASSERT_TRUE(IconInTray());
  HideToTray();  // the icon is there already, so adding it fails
  RunPending();
  EXPECT_TRUE(headless::IsHidden());
  EXPECT_TRUE(App().inTray);
  EXPECT_EQ(System().trayIcons.size(), 1u);
}

TEST_F(TrayTest, AFailingIconLoadOrShellIsPassedOver) {
  ShutDown();
  os::CloseHandle(App().singleInstance);
  sim::Reset();
  System().FailNext(sim::Call::kLoadImageA);
  ASSERT_TRUE(StartUp());
  EXPECT_EQ(App().trayRecord.hIcon, nullptr);
  EXPECT_EQ(System().trayCalls.size(), 1u);
  EXPECT_TRUE(headless::IsHidden());
}

// The window comes up in front of the program that had the keyboard (another
// program's maximized window, say); the other items leave that program in front.
TEST_F(TrayTest, AboutBringsTheWindowToTheFrontWithTheKeyboard) {
  const HWND otherProgram = reinterpret_cast<HWND>(0x00030030);
  for (int answer : {2, 3, 4, 0, 5}) {
    System().foregroundWindow = otherProgram;
    headless::ScriptPopupAnswers({answer});
    RunTrayMenu();
    EXPECT_EQ(System().foregroundWindow, otherProgram) << "item " << answer;
  }
  headless::ScriptPopupAnswers({1});
  RunTrayMenu();
  RunPending();
  EXPECT_FALSE(headless::IsHidden());
  EXPECT_FALSE(headless::IsIconized());
  EXPECT_EQ(System().foregroundWindow, NativeHandle());
}

int IconsAdded() {
  int added = 0;
  for (const sim::TrayCall& call : sim::System().trayCalls) {
    added += call.message == NIM_ADD && call.result;
  }
  return added;
}

// At logon the program may start before the shell has made its taskbar.
TEST_F(TrayTest, WithNoTaskbarYetTheWindowStaysHiddenAndTheIconComesWithTheTaskbar) {
  ShutDown();
  os::CloseHandle(App().singleInstance);
  sim::Reset();
  System().taskbarRunning = false;
  ASSERT_TRUE(StartUp());
  RunPending();
  EXPECT_TRUE(headless::IsHidden());
  EXPECT_FALSE(IconInTray());

  // The shell makes its taskbar and tells every top-level window.
  System().taskbarRunning = true;
  headless::SendWindowMessage(os::RegisterWindowMessageA("TaskbarCreated"), 0, 0);
  RunPending();
  EXPECT_EQ(System().trayIcons.size(), 1u);
  EXPECT_EQ(IconsAdded(), 1);
  EXPECT_TRUE(headless::IsHidden());

  // And the icon's menu reaches the window.
  headless::ScriptPopupAnswers({1});
  headless::SendWindowMessage(kTrayCallbackMessage, kTrayIconId, WM_LBUTTONUP);
  RunPending();
  EXPECT_FALSE(headless::IsHidden());
}

TEST_F(TrayTest, ARunningTaskbarThatRefusesTheIconAtStartUpGetsTheWindowShown) {
  ShutDown();
  os::CloseHandle(App().singleInstance);
  sim::Reset();
  System().FailNext(sim::Call::kShell_NotifyIconA);
  ASSERT_TRUE(StartUp());
  RunPending();
  EXPECT_FALSE(IconInTray());
  EXPECT_FALSE(headless::IsHidden());
  EXPECT_FALSE(headless::IsIconized());
}

}  // namespace
}  // namespace quellix
