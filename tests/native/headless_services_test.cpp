#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <climits>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/user32_calls.h"
#include "test_window_definition.h"
#include "winsvc/headless/headless_window.h"
#include "winsvc/popup_menu.h"
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

TEST_F(HeadlessServicesTest, TheIdleHookFeedsTheLoopAndAnEmptyQueueRunsDry) {
  int calls = 0;
  headless::SetIdle([&calls] {
    if (++calls <= 2) PostEvent(1025, 0);
  });
  EXPECT_THAT(RunLoop(), ElementsAre(Ev(1025, 0), Ev(1025, 0)));
  EXPECT_TRUE(headless::RanDry());
  EXPECT_EQ(calls, 3);

  headless::SetIdle([] { PostEvent(kEventCloseWindow, 0); });
  EXPECT_THAT(RunLoop(), ElementsAre(Ev(513, 0)));
  EXPECT_FALSE(headless::RanDry());
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

TEST_F(HeadlessServicesTest, ThePopupMenuAnswersFromItsScriptAndRecordsEachCall) {
  headless::ScriptPopupAnswers({2, 5});
  EXPECT_EQ(ShowPopupMenu("A|-|B", INT_MIN, INT_MIN), 2);
  EXPECT_EQ(ShowPopupMenu("C", 10, 20), 5);
  EXPECT_EQ(ShowPopupMenu("D", 0, 0), 0);
  ASSERT_EQ(headless::PopupCalls().size(), 3u);
  EXPECT_EQ(headless::PopupCalls()[0].menuString, "A|-|B");
  EXPECT_EQ(headless::PopupCalls()[0].x, INT_MIN);
  EXPECT_EQ(headless::PopupCalls()[1].y, 20);

  OpenMainWindow(kWindow, nullptr, nullptr);
  EXPECT_THAT(headless::PopupCalls(), IsEmpty());
}

TEST_F(HeadlessServicesTest, OperationsReachTheModel) {
  SelectControl(kTabC, 0);
  EXPECT_EQ(CurrentTab(kSheet), 3);
  SetControlText(kButton, "Stop");
  SetFontStyle(kButton, kFontUnderline);
  RedrawControl(kButton);
  RedrawControl(kButton);
  RedrawControl(99);  // no such control
  EXPECT_EQ(headless::Model().ControlText(kButton), "Stop");
  EXPECT_EQ(headless::Model().ControlFontStyle(kButton), kFontUnderline);
  EXPECT_EQ(headless::RedrawCount(kButton), 2);
  EXPECT_EQ(headless::RedrawCount(99), 0);
}

TEST(HeadlessServices, WithoutAnOpenWindowTheServicesDoNothing) {
  CloseMainWindow();
  PostEvent(kEventAccepted, 1);
  SetIconized(true);
  EXPECT_FALSE(NextEvent());
  EXPECT_EQ(NativeHandle(), nullptr);
  EXPECT_EQ(GetWindowProcedure(), nullptr);
  EXPECT_EQ(headless::SendWindowMessage(WM_CLOSE, 0, 0), 0);
  EXPECT_EQ(MainWindowModel(), nullptr);
  EXPECT_THROW(headless::Model(), std::logic_error);
}

}  // namespace
}  // namespace quellix
