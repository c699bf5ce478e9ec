#include "app/dispatch.h"

#include <gtest/gtest.h>

#include "app/app_events.h"
#include "app/app_state.h"
#include "app_test_fixture.h"
#include "common/product.h"
#include "ui/control_numbers.h"

namespace quellix {
namespace {

using namespace control;
using DispatchTest = testing::StartedProgramTest;

TEST_F(DispatchTest, PointerOverALinkUnderlinesItsTextAndLeavingRestoresIt) {
  const struct {
    EventCode event;
    ControlNumber region;
    FontStyle web;
    FontStyle mail;
  } steps[] = {
      {kEventPointerEntered, kWebRegion, 8192, 0},    {kEventPointerLeft, kWebRegion, 400, 0},
      {kEventPointerEntered, kMailRegion, 400, 8192}, {kEventPointerLeft, kMailRegion, 400, 400},
      {kEventPointerEntered, kTitleRegion, 400, 400},
  };
  for (const auto& step : steps) {
    PostEvent(step.event, step.region);
    RunPending();
    EXPECT_EQ(Model().ControlFontStyle(kWebString), step.web) << step.event << "/" << step.region;
    EXPECT_EQ(Model().ControlFontStyle(kMailString), step.mail) << step.event << "/" << step.region;
  }
}

// A click on the title strip, Ctrl+Tab and Ctrl+Page Down alike.
TEST_F(DispatchTest, TheTitleStripAndItsKeysRebuildTheListAndCycleThePages) {
  const std::int32_t ctrlTab = 0x209, ctrlPageDown = 0x222, noKey = 0;
  for (const auto& [expected, key] : {std::pair{2, ctrlTab}, std::pair{3, noKey},
                                      std::pair{1, ctrlPageDown}, std::pair{2, ctrlTab}}) {
    System().AddProcess(100 + expected * 4, "P.EXE");
    if (key == noKey) {
      PostEvent(kEventAccepted, kTitleRegion);
    } else {
      EXPECT_TRUE(Model().KeyPressed(key));
    }
    RunPending();
    EXPECT_EQ(CurrentTab(kCurrentTab), expected);
    EXPECT_EQ(Model().ControlText(kTitleString),
              std::to_string(System().processes.size()) + " Processes");
  }
}

TEST_F(DispatchTest, TheLinksOpenTheAddressesTheAboutPageShows) {
  PostEvent(kEventAccepted, kWebRegion);
  PostEvent(kEventAccepted, kMailRegion);
  RunPending();
  ASSERT_EQ(System().shellExecutions.size(), 2u);
  const sim::ShellExecution& web = System().shellExecutions[0];
  const sim::ShellExecution& mail = System().shellExecutions[1];
  EXPECT_EQ(web.window, NativeHandle());
  EXPECT_EQ(web.verb, "open");
  EXPECT_EQ(web.file, std::string(kWebSite));
  EXPECT_EQ(web.parameters, std::nullopt);
  EXPECT_EQ(web.directory, std::nullopt);
  EXPECT_EQ(web.show, 1);
  EXPECT_EQ(mail.file, "mailto:" + std::string(kMailAddress));
  EXPECT_NE(Model().ControlText(kWebString).find(*web.file), std::string_view::npos);
  EXPECT_NE(Model().ControlText(kMailString).find(kMailAddress), std::string_view::npos);
}

TEST_F(DispatchTest, PickingAnEditionChangesTheNamesTheNextKillUses) {
  Model().RadioPicked(kOption1Radio4);  // Clarion 5.5 EE
  RunPending();
  EXPECT_EQ(App().ideName.Trimmed(), "C55EE.EXE");
  EXPECT_EQ(App().serverName.Trimmed(), "C55SRVX.EXE");
}

TEST_F(DispatchTest, CloseHidesTheWindowAndPutsTheIconBack) {
  headless::ScriptPopupAnswers({1});
  PostEvent(kEventTrayMenuRequest, 0);
  RunPending();
  ASSERT_FALSE(IconInTray());
  PostEvent(kEventAccepted, kButtonClose);
  RunPending();
  EXPECT_TRUE(headless::IsHidden());
  EXPECT_TRUE(headless::IsIconized());
  EXPECT_TRUE(IconInTray());
  EXPECT_EQ(CurrentTab(kCurrentTab), 1);
}

TEST_F(DispatchTest, QuitEndsTheLoopAndAlertedKeysChangeNothing) {
  Model().KeyPressed(0x1B);
  Model().KeyPressed(0x473);
  PostEvent(kEventAccepted, kButtonQuit);
  RunEventLoop();
  EXPECT_FALSE(headless::RanDry()) << "the loop did not end on the close";
  PostEvent(kEventAccepted, kTitleRegion);
  EXPECT_FALSE(NextEvent()) << "the loop went on after the close";
  EXPECT_EQ(CurrentTab(kCurrentTab), 1);
  EXPECT_TRUE(headless::IsHidden());
}

TEST_F(DispatchTest, EventsThatNoBranchTakesChangeNothing) {
  PostEvent(kEventAccepted, kProcessList);
  PostEvent(kEventAccepted, kToolNameString);
  PostEvent(kEventMaximized, 0);
  PostEvent(2000, 5);
  RunPending();
  EXPECT_EQ(System().shellExecutions.size(), 0u);
  EXPECT_EQ(Model().ControlText(kTitleString), "Processes running...");
  EXPECT_EQ(TrayCalls(NIM_DELETE), 0);
  EXPECT_EQ(CurrentTab(kCurrentTab), 1);
}

}  // namespace
}  // namespace quellix
