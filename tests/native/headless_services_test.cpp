#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "platform/user32_calls.h"
#include "test_window_definition.h"
#include "tests/headless/headless_window.h"
#include "winsvc/window_services.h"

namespace quellix {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

using namespace test_window;

constexpr UINT kTrayCallback = WM_USER + 64;

std::string Ev(EventCode code, ControlNumber control) {
  return std::to_string(code) + "@" + std::to_string(control);
}

// Runs the loop until NextEvent says stop, listing what it delivered.
std::vector<std::string> RunLoop() {
  std::vector<std::string> events;
  while (NextEvent()) events.push_back(Ev(CurrentEvent(), CurrentControl()));
  return events;
}

class HeadlessServicesTest : public ::testing::Test {
 protected:
  void SetUp() override { OpenMainWindow(kWindow, nullptr, nullptr); }
  void TearDown() override { CloseMainWindow(); }
};

TEST_F(HeadlessServicesTest, OpensUnseenWithHandlesAndShowsAtTheFirstEventUnlessHidden) {
  EXPECT_TRUE(headless::IsHidden());
  EXPECT_FALSE(headless::IsIconized());
  EXPECT_NE(NativeHandle(), nullptr);
  EXPECT_NE(ModuleInstance(), nullptr);
  EXPECT_NE(GetWindowProcedure(), nullptr);
  EXPECT_EQ(CurrentTab(kSheet), 1);

  PostEvent(kEventAccepted, kButton);
  EXPECT_TRUE(NextEvent());
  EXPECT_FALSE(headless::IsHidden());

  OpenMainWindow(kWindow, nullptr, nullptr);
  SetIconized(true);
  SetHidden(true);
  PostEvent(kEventAccepted, kButton);
  EXPECT_TRUE(NextEvent());
  EXPECT_TRUE(headless::IsHidden());
  EXPECT_TRUE(headless::IsIconized());
}

TEST_F(HeadlessServicesTest, ACloseWhileHiddenEndsTheLoopAfterTheEventsBeforeIt) {
  SetHidden(true);
  PostEvent(kEventAccepted, kButton);
  PostEvent(kEventCloseWindow, 0);
  PostEvent(kEventAccepted, kButton);
  EXPECT_THAT(RunLoop(), ElementsAre(Ev(1, kButton), Ev(513, 0)));
  EXPECT_FALSE(headless::RanDry());
  EXPECT_FALSE(NextEvent());
}

TEST_F(HeadlessServicesTest, ShowingAnIconizedHiddenWindowAndRestoringItReportsOneRestore) {
  SetIconized(true);
  SetHidden(true);
  SetHidden(false);
  SetIconized(false);
  SetIconized(false);
  EXPECT_FALSE(headless::IsIconized());
  SetIconized(true);
  SetHidden(true);
  SetIconized(true);
  EXPECT_TRUE(headless::IsIconized());
  EXPECT_TRUE(headless::IsHidden());
  EXPECT_THAT(RunLoop(), ElementsAre(Ev(564, 0), Ev(562, 0), Ev(564, 0)));
}

TEST_F(HeadlessServicesTest, RestoringAWindowThatWasMaximizedMaximizesItAgain) {
  headless::Model().SizeStateObserved(SizeState::kMaximized);
  SetIconized(true);
  SetIconized(false);
  EXPECT_EQ(headless::Model().RecordedSizeState(), SizeState::kMaximized);
  EXPECT_THAT(RunLoop(), ElementsAre(Ev(563, 0), Ev(564, 0), Ev(563, 0)));
}

TEST(HeadlessServices, AWindowWithoutImmediateEventsReportsNoSizeChanges) {
  OpenMainWindow(kQuietWindow, nullptr, nullptr);
  SetIconized(true);
  SetHidden(true);
  SetHidden(false);
  SetIconized(false);
  EXPECT_THAT(RunLoop(), IsEmpty());
  CloseMainWindow();
}

WNDPROC previousProcedure = nullptr;

LRESULT CALLBACK ForwardingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kTrayCallback) {
    PostEvent(1025, 0);
    return 0;
  }
  return os::CallWindowProcA(previousProcedure, window, message, wParam, lParam);
}

LRESULT CALLBACK SwallowingProcedure(HWND, UINT, WPARAM, LPARAM) { return 1; }

TEST_F(HeadlessServicesTest, CloseRequestsReachTheServicesOnlyThroughAForwardingProcedure) {
  EXPECT_EQ(headless::SendWindowMessage(WM_CLOSE, 0, 0), 0);
  EXPECT_THAT(RunLoop(), ElementsAre(Ev(513, 0)));

  OpenMainWindow(kWindow, nullptr, nullptr);
  previousProcedure = GetWindowProcedure();
  SetWindowProcedure(&ForwardingProcedure);
  EXPECT_EQ(GetWindowProcedure(), &ForwardingProcedure);
  headless::SendWindowMessage(kTrayCallback, 100, WM_LBUTTONUP);
  headless::SendWindowMessage(WM_CLOSE, 0, 0);
  EXPECT_THAT(RunLoop(), ElementsAre(Ev(1025, 0), Ev(513, 0)));

  OpenMainWindow(kWindow, nullptr, nullptr);
  SetWindowProcedure(&SwallowingProcedure);
  EXPECT_EQ(headless::SendWindowMessage(WM_CLOSE, 0, 0), 1);
  EXPECT_THAT(RunLoop(), IsEmpty());
  EXPECT_TRUE(headless::RanDry());
}

}  // namespace
}  // namespace quellix
