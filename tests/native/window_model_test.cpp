#include "winsvc/window_model.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "test_window_definition.h"
#include "winsvc/event_queue.h"

namespace quellix {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

using namespace test_window;

std::string Ev(EventCode code, ControlNumber control) {
  return std::to_string(code) + "@" + std::to_string(control);
}

// Takes every pending event, as the loop would, and lists them as code@control.
std::vector<std::string> Drain(WindowModel& model) {
  std::vector<std::string> events;
  while (model.TakeNextEvent() == NextResult::kEvent) {
    events.push_back(Ev(model.CurrentEvent(), model.CurrentControl()));
  }
  return events;
}

class FakeList : public ListSource {
 public:
  std::size_t RowCount() const override { return 2; }
  ListField Field(std::size_t row, std::size_t) const override {
    return {static_cast<std::int64_t>(row), ""};
  }
};

class WindowModelTest : public ::testing::Test {
 protected:
  void SetUp() override { option.Store("C60EE"); }
  OptionText option;
  FakeList list;
  WindowModel model{kWindow, &option, &list};
};

TEST(EventQueue, RefusesBeyondCapacityButLetsAnEventThroughAtTheFront) {
  EventQueue queue;
  for (std::size_t i = 0; i < EventQueue::kCapacity; ++i) {
    ASSERT_TRUE(queue.Post({kEventAccepted, static_cast<ControlNumber>(i)}));
  }
  EXPECT_FALSE(queue.Post({kEventCloseWindow, 0}));
  queue.PostAtFront({kEventPreAlert, 0});
  EXPECT_EQ(queue.Take(), (Event{kEventPreAlert, 0}));
  EXPECT_EQ(queue.Take(), (Event{kEventAccepted, 0}));
  EXPECT_EQ(queue.Size(), EventQueue::kCapacity - 1);
}

TEST_F(WindowModelTest, OfFiveThousandPostedTheFirst4095ArriveInOrderAndALaterCloseEndsTheLoop) {
  int accepted = 0;
  for (int i = 0; i < 5000; ++i) accepted += model.PostEvent(kFirstApplicationEvent + i, i);
  EXPECT_EQ(accepted, 4095);

  int outOfOrder = 0;
  for (int i = 0; i < 4095; ++i) {
    ASSERT_EQ(model.TakeNextEvent(), NextResult::kEvent);
    if (model.CurrentEvent() != kFirstApplicationEvent + i || model.CurrentControl() != i) {
      ++outOfOrder;
    }
  }
  EXPECT_EQ(outOfOrder, 0);
  EXPECT_EQ(model.TakeNextEvent(), NextResult::kEmpty);

  EXPECT_TRUE(model.PostEvent(kEventCloseWindow, 0));
  ASSERT_EQ(model.TakeNextEvent(), NextResult::kEvent);
  EXPECT_EQ(model.CurrentEvent(), kEventCloseWindow);
  EXPECT_EQ(model.TakeNextEvent(), NextResult::kEnded);
}

TEST_F(WindowModelTest, AcceptedThenCloseArriveOnTwoPassesAndTheLoopStaysEndedWithMoreQueued) {
  EXPECT_EQ(model.TakeNextEvent(), NextResult::kEmpty);
  EXPECT_FALSE(model.LoopEnded());

  model.PostEvent(kEventAccepted, kButton);
  model.PostEvent(kEventCloseWindow, 0);
  model.PostEvent(kEventAccepted, kButton);

  ASSERT_EQ(model.TakeNextEvent(), NextResult::kEvent);
  EXPECT_EQ(Ev(model.CurrentEvent(), model.CurrentControl()), Ev(1, kButton));
  ASSERT_EQ(model.TakeNextEvent(), NextResult::kEvent);
  EXPECT_EQ(Ev(model.CurrentEvent(), model.CurrentControl()), Ev(513, 0));
  EXPECT_EQ(model.TakeNextEvent(), NextResult::kEnded);
  EXPECT_TRUE(model.LoopEnded());

  model.PostEvent(kEventAccepted, kButton);
  EXPECT_EQ(model.TakeNextEvent(), NextResult::kEnded);
  EXPECT_EQ(model.PendingCount(), 2u);
}

TEST_F(WindowModelTest, InputsBecomeTheirEventsAndApplicationEventsPassUnchanged) {
  model.Pressed(kButton);
  model.PostEvent(1025, 0);
  model.PostEvent(4000, kTopRegion);
  model.CloseRequested();
  EXPECT_THAT(Drain(model),
              ElementsAre(Ev(1, kButton), Ev(1025, 0), Ev(4000, kTopRegion), Ev(513, 0)));
}

TEST_F(WindowModelTest, PointerFromOutsideOntoARegionAndOffGivesEnteredThenLeft) {
  model.PointerMoved(150, 50);
  model.PointerMoved(20, 22);
  model.PointerMoved(25, 23);  // still inside: nothing new
  model.PointerMoved(150, 50);
  model.PointerMoved(45, 20);
  model.PointerLeftWindow();
  EXPECT_THAT(Drain(model), ElementsAre(Ev(11, kLeftRegion), Ev(12, kLeftRegion),
                                        Ev(11, kLeftRegion), Ev(12, kLeftRegion)));
  EXPECT_EQ(model.HotRegion(), 0);
}

TEST_F(WindowModelTest, PointerMovingStraightBetweenNeighbouringRegionsLeavesOneThenEntersOther) {
  model.PointerMoved(49, 22);
  model.PointerMoved(50, 22);  // the first unit of the right-hand region
  model.PointerMoved(49, 24);
  EXPECT_THAT(Drain(model),
              ElementsAre(Ev(11, kLeftRegion), Ev(12, kLeftRegion), Ev(11, kRightRegion),
                          Ev(12, kRightRegion), Ev(11, kLeftRegion)));
}

TEST_F(WindowModelTest, ARegionDeclaredLaterLiesOverAndReportsClicksButNotThePointer) {
  model.PointerMoved(20, 22);
  model.PointerMoved(20, 17);  // the top region covers the left one here
  model.MouseButtonPressed(20, 17);
  model.MouseButtonPressed(20, 22);
  model.MouseButtonPressed(150, 50);  // no region
  EXPECT_THAT(Drain(model), ElementsAre(Ev(11, kLeftRegion), Ev(12, kLeftRegion), Ev(1, kTopRegion),
                                        Ev(1, kLeftRegion)));
}

TEST_F(WindowModelTest, RegionsOfOtherPagesAreNotHitAndAPageChangeUnderThePointerCounts) {
  model.PointerMoved(20, 22);
  model.SelectControl(kTabB, 0);  // the page B region lies where the pointer rests
  model.PointerMoved(60, 22);     // the right-hand region is on page A
  model.MouseButtonPressed(60, 22);
  model.MouseButtonPressed(20, 22);
  EXPECT_THAT(Drain(model),
              ElementsAre(Ev(11, kLeftRegion), Ev(12, kLeftRegion), Ev(11, kPageBRegion),
                          Ev(12, kPageBRegion), Ev(1, kPageBRegion)));
}

TEST_F(WindowModelTest, SizeChangesAreReportedOncePerChangeFromTheStateAtCreation) {
  model.SizeStateObserved(SizeState::kNormal);
  model.SizeStateObserved(SizeState::kIconized);
  model.SizeStateObserved(SizeState::kIconized);
  model.SizeStateObserved(SizeState::kMaximized);
  model.SizeStateObserved(SizeState::kNormal);
  EXPECT_THAT(Drain(model), ElementsAre(Ev(564, 0), Ev(563, 0), Ev(562, 0)));
}

TEST(WindowModel, AWindowWithoutImmediateEventsRecordsSizeChangesSilently) {
  WindowModel model(kQuietWindow, nullptr, nullptr);
  model.SizeStateObserved(SizeState::kIconized);
  EXPECT_EQ(model.RecordedSizeState(), SizeState::kIconized);
  model.SizeStateObserved(SizeState::kNormal);
  EXPECT_THAT(Drain(model), IsEmpty());
  EXPECT_FALSE(model.KeyPressed(0x1B));
}

TEST_F(WindowModelTest, AlertedKeysDeliverThePreAlertAheadOfTheQueueAndAreConsumed) {
  model.Pressed(kButton);
  EXPECT_TRUE(model.KeyPressed(0x1B));
  EXPECT_THAT(Drain(model), ElementsAre(Ev(16, kLeftRegion), Ev(1, kButton), Ev(15, kLeftRegion)));

  model.SelectControl(kButton, 0);
  EXPECT_TRUE(model.KeyPressed(0x73 + kAltKeyFlag));
  EXPECT_FALSE(model.KeyPressed(0x73));  // F4 without Alt
  EXPECT_FALSE(model.KeyPressed(0x1B + kAltKeyFlag));
  EXPECT_FALSE(model.KeyPressed(0x41));
  EXPECT_THAT(Drain(model), ElementsAre(Ev(16, kButton), Ev(15, kButton)));
}

TEST_F(WindowModelTest, EachPageGivesTheFocusToItsFirstControlOrTheOneItHadWhenLeft) {
  EXPECT_EQ(model.FocusedControl(), kLeftRegion);  // a link comes first on page A
  model.FocusMoved(kButton);
  model.FocusMoved(kText);  // a text takes no focus
  model.FocusMoved(kList);  // nor does a control of another page
  EXPECT_EQ(model.FocusedControl(), kButton);

  model.SelectControl(kTabB, 0);
  EXPECT_EQ(model.FocusedControl(), kList);
  model.SelectControl(kTabC, 0);
  EXPECT_EQ(model.FocusedControl(), kRadioC60EE) << "the option group's stop is its selected radio";
  model.SelectControl(kTabA, 0);
  EXPECT_EQ(model.FocusedControl(), kButton) << "page A gives back what it had";

  // A selection on a page not shown waits for its page.
  model.SelectControl(kList, 2);
  EXPECT_EQ(model.FocusedControl(), kButton);
  EXPECT_EQ(model.SelectedRow(kList), 2);
  model.SelectControl(kTabB, 0);
  EXPECT_EQ(model.FocusedControl(), kList);
  model.FocusMoved(kPageBRegion);
  model.SelectControl(kTabC, 0);
  model.RadioPicked(kRadioC5PE);
  model.SelectControl(kTabB, 0);
  model.SelectControl(kTabC, 0);
  EXPECT_EQ(model.FocusedControl(), kRadioC5PE);
}

TEST_F(WindowModelTest, KeysPressTheirControlsMoveInTheOptionGroupOrAreLeftToTheSystem) {
  struct Step {
    ControlNumber page;
    ControlNumber focus;
    std::int32_t key;
    bool taken;
    ControlNumber focusAfter;
    std::vector<std::string> events;
    const char* value;  // the option value after the key
  };
  const std::int32_t enter = 0x0D, tab = 0x09, left = 0x25, up = 0x26, right = 0x27, down = 0x28;
  const Step steps[] = {
      {kTabA, kButton, kCtrlTab, true, kButton, {Ev(1, kTopRegion)}, "C60EE"},
      {kTabA, kButton, enter, true, kButton, {Ev(1, kButton)}, "C60EE"},
      {kTabA, kRightRegion, enter, true, kRightRegion, {Ev(1, kRightRegion)}, "C60EE"},
      {kTabA, kButton, tab, false, kButton, {}, "C60EE"},  // the system's dialog navigation
      {kTabA, kButton, right, false, kButton, {}, "C60EE"},
      {kTabB, kList, enter, false, kList, {}, "C60EE"},
      {kTabB, kList, down, false, kList, {}, "C60EE"},  // the list's own
      {kTabC, kRadioC60EE, enter, false, kRadioC60EE, {}, "C60EE"},
      {kTabC, kRadioC60EE, right, true, kRadioC5PE, {Ev(1, kGroup)}, "C5PE"},  // wraps
      {kTabC, kRadioC5PE, left, true, kRadioC60EE, {Ev(1, kGroup)}, "C60EE"},
      {kTabC, kRadioC60EE, up, true, kRadioC55EE, {Ev(1, kGroup)}, "C55EE"},
      {kTabC, kRadioC55EE, down, true, kRadioC60EE, {Ev(1, kGroup)}, "C60EE"},
      {kTabC, kRadioC60EE, kCtrlTab + kShiftKeyFlag, false, kRadioC60EE, {}, "C60EE"},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(::testing::Message() << "key " << step.key << " on " << step.focus);
    model.SelectControl(step.page, 0);
    model.FocusMoved(step.focus);
    EXPECT_EQ(model.KeyPressed(step.key), step.taken);
    EXPECT_EQ(model.FocusedControl(), step.focusAfter);
    EXPECT_EQ(Drain(model), step.events);
    EXPECT_EQ(option.Value(), step.value);
  }
}

TEST_F(WindowModelTest, ALinkLiesOverTheTextOfItsPage) {
  EXPECT_EQ(model.TextUnder(kLeftRegion), kText);
  EXPECT_EQ(model.TextUnder(kRightRegion), 0);
  EXPECT_EQ(model.TextUnder(kPageBRegion), 0) << "the text lies there on another page";
  EXPECT_EQ(model.TextUnder(kText), 0);
}

TEST_F(WindowModelTest, ASelectedRowPastTheRowsReadBecomesTheLastOne) {
  model.SelectControl(kList, 5);
  model.KeepSelectionInRows(kList);
  EXPECT_EQ(model.SelectedRow(kList), 2);
  model.SelectControl(kList, 1);
  model.KeepSelectionInRows(kList);
  EXPECT_EQ(model.SelectedRow(kList), 1);
}

TEST_F(WindowModelTest, SelectingATabChangesTheCurrentPageAndWhatIsPresent) {
  EXPECT_EQ(model.CurrentTab(kSheet), 1);
  EXPECT_TRUE(model.IsPresent(kLeftRegion));
  EXPECT_FALSE(model.IsPresent(kList));
  EXPECT_FALSE(model.IsPresent(kRadioC5PE));

  model.SelectControl(kTabC, 0);
  EXPECT_EQ(model.CurrentTab(kSheet), 3);
  EXPECT_TRUE(model.IsPresent(kRadioC5PE));  // through its option group's tab
  EXPECT_FALSE(model.IsPresent(kLeftRegion));
  EXPECT_TRUE(model.IsPresent(kTopRegion));
  EXPECT_TRUE(model.IsPresent(kSheet));

  model.SelectControl(kTabB, 0);
  EXPECT_EQ(model.CurrentTab(kSheet), 2);
  EXPECT_EQ(model.CurrentTab(kButton), 0);
}

TEST_F(WindowModelTest, TheOptionGroupShowsTheBoundCodeAndAPickStoresItBeforeItsEvent) {
  EXPECT_EQ(model.SelectedRadio(kGroup), kRadioC60EE);

  model.RadioPicked(kRadioC5PE);
  EXPECT_EQ(option.Value(), "C5PE");
  EXPECT_EQ(model.SelectedRadio(kGroup), kRadioC5PE);
  model.RadioPicked(kRadioC5PE);
  model.RadioPicked(kButton);
  EXPECT_THAT(Drain(model), ElementsAre(Ev(1, kGroup)));

  option.Store("C55EE       ");  // a padded value compares without its blanks
  EXPECT_EQ(model.SelectedRadio(kGroup), kRadioC55EE);
  option.Store("C6");
  EXPECT_EQ(model.SelectedRadio(kGroup), 0);
}

TEST(WindowModel, WithoutABoundCodeTheOptionGroupKeepsItsOwnValue) {
  WindowModel model(kWindow, nullptr, nullptr);
  EXPECT_EQ(model.SelectedRadio(kGroup), 0);
  model.RadioPicked(kRadioC55EE);
  EXPECT_EQ(model.OptionValue(), "C55EE");
  EXPECT_EQ(model.SelectedRadio(kGroup), kRadioC55EE);
  EXPECT_THAT(Drain(model), ElementsAre(Ev(1, kGroup)));
  EXPECT_EQ(model.ListData(kList), nullptr);
}

TEST_F(WindowModelTest, ControlsKeepTheirTextStyleAndSelection) {
  EXPECT_EQ(model.ControlText(kButton), "Go");
  model.SetControlText(kButton, "Stop");
  EXPECT_EQ(model.ControlText(kButton), "Stop");
  EXPECT_EQ(model.ControlText(kGroup), " Edition ");

  model.SetFontStyle(kButton, 700 + kFontUnderline);
  EXPECT_EQ(model.ControlFontStyle(kButton), 700 + kFontUnderline);
  EXPECT_EQ(model.ControlFontStyle(kList), 0);

  model.SelectControl(kList, 3);
  EXPECT_EQ(model.SelectedRow(kList), 3);
  model.SelectControl(kButton, 1);
  EXPECT_EQ(model.SelectedRow(kList), 3);
  EXPECT_EQ(model.SelectedRow(kButton), 0);

  EXPECT_EQ(model.ListData(kList), &list);
  EXPECT_EQ(model.ListData(kButton), nullptr);
}

TEST_F(WindowModelTest, ControlsAreFoundByNumberAndNameAndUnknownOnesAreIgnored) {
  ASSERT_NE(model.FindControl("?GROUP:RADIO2"), nullptr);
  EXPECT_EQ(model.FindControl("?GROUP:RADIO2")->number, kRadioC55EE);
  EXPECT_EQ(model.FindControl(kList)->name, "?LIST");
  EXPECT_EQ(model.FindControl("?group:radio2"), nullptr);
  EXPECT_EQ(model.FindControl(99), nullptr);

  model.SetControlText(99, "x");
  model.SelectControl(99, 1);
  model.RadioPicked(99);
  EXPECT_EQ(model.ControlText(99), "");
  EXPECT_EQ(model.CurrentTab(99), 0);
  EXPECT_FALSE(model.IsPresent(99));
  EXPECT_EQ(model.PendingCount(), 0u);
}

}  // namespace
}  // namespace quellix
