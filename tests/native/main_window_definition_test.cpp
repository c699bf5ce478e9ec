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

// The numbers are the positions in the definition, as the program's names for
// them (control_numbers.h) take them to be, and each name finds its own control.
TEST(MainWindowDefinition, EveryControlIsNumberedInOrderAndBelongsToAPageOrToTheWindow) {
  const WindowModel model(MainWindowDefinition(), nullptr, nullptr);
  std::set<ControlNumber> onPage[4];
  ControlNumber expectedNumber = 1;
  for (const ControlDefinition& control : MainWindowDefinition().controls) {
    EXPECT_EQ(control.number, expectedNumber++) << control.name;
    const ControlDefinition* named = model.FindControl(control.name);
    EXPECT_TRUE(named && named->number == control.number) << control.name << " is not unique";
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
    // A line of text is 8 vertical units high; the width is checked against the
    // text as drawn, on screen.
    EXPECT_GE(r.height, 8) << r.name;
  }
}

TEST(MainWindowDefinition, TheTitleRegionCoversTheTopOfEveryPageAndReportsOnlyClicks) {
  const ControlDefinition& title = ControlNumbered(control::kTitleRegion);
  EXPECT_EQ(title.parent, 0);
  EXPECT_FALSE(title.immediateEvents);
  // Across the whole window, over every page's title line.
  EXPECT_EQ(std::pair(title.x, title.y), std::pair(0, 0));
  EXPECT_EQ(title.width, MainWindowDefinition().width);
  for (ControlNumber pageTitle :
       {control::kToolNameString, control::kTitleString, control::kSelectClarionVersion}) {
    EXPECT_LE(ControlNumbered(pageTitle).y + 8, title.height) << ControlNumbered(pageTitle).name;
  }
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

// Each radio value names an edition of the catalogue, and each edition has
// its one radio button.
TEST(MainWindowDefinition, TheOptionGroupOffersEachCatalogueEditionOnceAndShowsTheBoundOne) {
  std::vector<std::string> keys;
  for (const ControlDefinition& control : MainWindowDefinition().controls) {
    if (control.kind != ControlKind::kRadioButton) continue;
    EXPECT_EQ(control.parent, control::kClarionVersion) << control.name;
    keys.push_back(NormaliseVersionCode(Text12(control.value)));
    Text12 ide("unchanged");
    Text12 server("unchanged");
    ResolveVersion(Text12(control.value), ide, server);
    EXPECT_NE(ide.Trimmed(), "unchanged") << control.value;
  }
  std::vector<std::string> catalogue;
  for (const CatalogueRow& row : kVersionCatalogue) catalogue.emplace_back(row.key);
  EXPECT_THAT(keys, ::testing::UnorderedElementsAreArray(catalogue));
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
