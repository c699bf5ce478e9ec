#include "ui/main_window_definition.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "process/version_catalogue.h"
#include "ui/control_numbers.h"
#include "ui/version_code_option.h"
#include "winsvc/list_format.h"
#include "winsvc/window_model.h"

namespace quellix {
namespace {

const ControlDefinition& ControlNumbered(ControlNumber number) {
  for (const ControlDefinition& control : MainWindowDefinition().controls) {
    if (control.number == number) return control;
  }
  throw std::out_of_range("no control " + std::to_string(number));
}

TEST(MainWindowDefinition, HasThirtySevenControlsNumberedInDeclarationOrder) {
  const std::vector<std::string> expectedNames{"?CURRENTTAB",
                                               "?TAB1",
                                               "?CLARIONIMAGE",
                                               "?TOOLNAMESTRING",
                                               "?VERSIONSTRING",
                                               "?AUTHORSTRING",
                                               "?COPYRIGHTSTRING",
                                               "?WEBSTRING",
                                               "?MAILSTRING",
                                               "?LINE1",
                                               "?WEBREGION",
                                               "?MAILREGION",
                                               "?BUTTON:CLOSE",
                                               "?STRING9",
                                               "?STRING7",
                                               "?STRING8",
                                               "?STRING10",
                                               "?STRING11",
                                               "?TAB2",
                                               "?TITLESTRING",
                                               "?STRING12",
                                               "?STRING13",
                                               "?STRING14",
                                               "?STRING15",
                                               "?PROCESSLIST",
                                               "?BUTTON:KILL",
                                               "?BUTTON:QUIT",
                                               "?TAB3",
                                               "?SELECTCLARIONVERSION",
                                               "?CLARIONVERSION",
                                               "?OPTION1:RADIO1",
                                               "?OPTION1:RADIO2",
                                               "?OPTION1:RADIO3",
                                               "?OPTION1:RADIO4",
                                               "?OPTION1:RADIO5",
                                               "?OPTION1:RADIO6",
                                               "?TITLEREGION"};
  std::vector<std::string> names;
  ControlNumber expectedNumber = 1;
  for (const ControlDefinition& control : MainWindowDefinition().controls) {
    EXPECT_EQ(control.number, expectedNumber++) << control.name;
    names.emplace_back(control.name);
  }
  EXPECT_EQ(names, expectedNames);
}

TEST(MainWindowDefinition, EveryControlBelongsToAPageOfTheSheetOrToTheWindow) {
  const WindowModel model(MainWindowDefinition(), nullptr, nullptr);
  std::set<ControlNumber> onPage[4];
  for (const ControlDefinition& control : MainWindowDefinition().controls) {
    if (control.kind == ControlKind::kTab) {
      EXPECT_EQ(control.parent, control::kCurrentTab) << control.name;
      EXPECT_EQ(control.text, "") << control.name;
    }
    ControlNumber page = control.parent;
    while (page && ControlNumbered(page).kind != ControlKind::kTab)
      page = ControlNumbered(page).parent;
    const int tab = page == control::kTab1   ? 1
                    : page == control::kTab2 ? 2
                    : page == control::kTab3 ? 3
                                             : 0;
    onPage[tab].insert(control.number);
  }
  EXPECT_EQ(onPage[1].size(), 16u);  // 3 to 18
  EXPECT_EQ(onPage[2].size(), 8u);   // 20 to 27
  EXPECT_EQ(onPage[3].size(), 8u);   // 29 to 36
  EXPECT_EQ(onPage[0], (std::set<ControlNumber>{1, 2, 19, 28, 37}));
}

TEST(MainWindowDefinition, EachLinkRegionLiesOverItsText) {
  for (const auto& [region, text] : {std::pair{control::kWebRegion, control::kWebString},
                                     std::pair{control::kMailRegion, control::kMailString}}) {
    const ControlDefinition& r = ControlNumbered(region);
    const ControlDefinition& t = ControlNumbered(text);
    EXPECT_EQ(r.kind, ControlKind::kRegion);
    EXPECT_TRUE(r.immediateEvents) << r.name;
    EXPECT_EQ(r.parent, t.parent) << r.name;
    EXPECT_EQ(std::pair(r.x, r.y), std::pair(t.x, t.y)) << r.name;
    EXPECT_EQ(std::pair(r.width, r.height), std::pair(127, 10)) << r.name;
  }
}

TEST(MainWindowDefinition, TheTitleRegionCoversTheTopOfEveryPageAndReportsOnlyClicks) {
  const ControlDefinition& title = ControlNumbered(control::kTitleRegion);
  EXPECT_EQ(title.parent, 0);
  EXPECT_FALSE(title.immediateEvents);
  EXPECT_EQ(std::tuple(title.x, title.y, title.width, title.height), std::tuple(0, 0, 288, 20));
  WindowModel model(MainWindowDefinition(), nullptr, nullptr);
  for (ControlNumber tab : {control::kTab1, control::kTab2, control::kTab3}) {
    model.SelectControl(tab, 0);
    model.MouseButtonPressed(103, 6);  // on the page's title
    model.MouseButtonPressed(9, 14);   // on the first column heading
  }
  int clicks = 0;
  while (model.TakeNextEvent() == NextResult::kEvent) {
    EXPECT_EQ(model.CurrentControl(), control::kTitleRegion);
    ++clicks;
  }
  EXPECT_EQ(clicks, 6);
}

TEST(MainWindowDefinition, TheOptionGroupOffersTheSixCatalogueEditionsAndShowsTheBoundOne) {
  std::vector<std::string> values;
  for (const ControlDefinition& control : MainWindowDefinition().controls) {
    if (control.kind != ControlKind::kRadioButton) continue;
    EXPECT_EQ(control.parent, control::kClarionVersion) << control.name;
    values.emplace_back(control.value);
    Text12 ide("unchanged");
    Text12 server("unchanged");
    ResolveVersion(Text12(control.value), ide, server);
    EXPECT_NE(ide.Trimmed(), "unchanged") << control.value;
  }
  EXPECT_THAT(values, ::testing::ElementsAre("C5PE", "C5EE", "C55PE", "C55EE", "C60PE", "C60EE"));
  Text12 code("C60EE");
  VersionCodeOption option(code);
  WindowModel model(MainWindowDefinition(), &option, nullptr);
  EXPECT_EQ(model.SelectedRadio(control::kClarionVersion), control::kOption1Radio6);
  // A pick lands in the version code as a 12-character padded text.
  model.RadioPicked(control::kOption1Radio3);
  EXPECT_EQ(code.View(), "C55PE       ");
  EXPECT_EQ(model.SelectedRadio(control::kClarionVersion), control::kOption1Radio3);
}

TEST(MainWindowDefinition, TheListsColumnsComeFromItsFormat) {
  const ControlDefinition& list = ControlNumbered(control::kProcessList);
  const std::vector<ListColumn> columns = ParseListFormat(list.listFormat);
  ASSERT_EQ(columns.size(), 4u);
  EXPECT_EQ(columns.back().Right(), 282);
  EXPECT_LE(columns.back().Right(), list.width);
}

TEST(MainWindowDefinition, TheColumnHeadingsAndPageTitlesShowTheBackgroundBehindThem) {
  for (ControlNumber number :
       {control::kToolNameString, control::kTitleString, control::kSelectClarionVersion}) {
    EXPECT_EQ(ControlNumbered(number).fontStyle, 8892);
    EXPECT_TRUE(ControlNumbered(number).transparent);
  }
  for (ControlNumber number = control::kString12; number <= control::kString15; ++number) {
    EXPECT_TRUE(ControlNumbered(number).transparent);
    EXPECT_EQ(ControlNumbered(number).y, 14);
  }
  EXPECT_EQ(ControlNumbered(control::kString12).text, "N\xB0");
}

}  // namespace
}  // namespace quellix
