#include "winsvc/menu_string.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quellix {
namespace {

constexpr int kNoColumnLimit = 0;

// One entry per line: "3 About" for item 3, "-" for a separator, "> File" for a
// heading; ~ disabled, + checked and | a new column in front.
std::vector<std::string> Describe(const MenuTree& tree, std::size_t level = 0) {
  std::vector<std::string> lines;
  for (const MenuEntry& entry : tree.levels.at(level)) {
    std::string line;
    if (entry.newColumn) line += '|';
    if (entry.disabled) line += '~';
    if (entry.checked) line += '+';
    switch (entry.kind) {
      case MenuEntryKind::kSeparator:
        line += '-';
        break;
      case MenuEntryKind::kItem:
        line += std::to_string(entry.itemNumber) + ' ' + entry.caption;
        break;
      case MenuEntryKind::kSubmenu:
        line += "> " + entry.caption;
        break;
    }
    lines.push_back(line);
  }
  return lines;
}

std::vector<std::string> Top(std::string_view text, int rowsPerColumn = kNoColumnLimit) {
  return Describe(ParseMenuString(text, rowsPerColumn));
}

using ::testing::ElementsAre;
using ::testing::IsEmpty;

TEST(MenuString, TrayMenuNumbersItsFiveItemsAroundTwoSeparators) {
  const MenuTree tree =
      ParseMenuString("About|-|Quellix|Quellix + NTVDM|-|Cancel this menu|Exit", kNoColumnLimit);
  EXPECT_EQ(tree.itemCount, 5);
  ASSERT_EQ(tree.levels.size(), 1u);
  EXPECT_THAT(Describe(tree), ElementsAre("1 About", "-", "2 Quellix", "3 Quellix + NTVDM", "-",
                                          "4 Cancel this menu", "5 Exit"));
}

TEST(MenuString, EmptyEntriesProduceNothing) {
  EXPECT_THAT(Top("A||B|"), ElementsAre("1 A", "2 B"));
  EXPECT_THAT(Top("|A"), ElementsAre("1 A"));
  EXPECT_THAT(Top("A{B|}|"), ElementsAre("> A"));
  EXPECT_THAT(Top(""), IsEmpty());
  EXPECT_EQ(ParseMenuString("||", kNoColumnLimit).itemCount, 0);
}

TEST(MenuString, MarkersAreReadInOrderAndTheRestIsTheCaption) {
  EXPECT_THAT(Top("-|-A|+A|~A|~+B|~-C|--D"),
              ElementsAre("-", "1 A", "+2 A", "~3 A", "~+4 B", "~5 C", "6 -D"));
  // Out of order a marker is part of the caption, and only one of + and - is read.
  EXPECT_THAT(Top("+~A|+-B|~~C"), ElementsAre("+1 ~A", "+2 -B", "~3 ~C"));
  EXPECT_THAT(Top("&About|A&B"), ElementsAre("1 &About", "2 A&B"));
}

TEST(MenuString, ImagePartIsDroppedFromTheCaption) {
  EXPECT_THAT(Top("[open.ico]Open|~+[x]Save|Copy [x]|[]Paste|[no end"),
              ElementsAre("1 Open", "~+2 Save", "3 Copy [x]", "4 Paste", "5 "));
}

TEST(MenuString, SubmenuEntriesAreNumberedWhereTheyStand) {
  const MenuTree tree = ParseMenuString("A{B|C}|D", kNoColumnLimit);
  ASSERT_EQ(tree.levels.size(), 2u);
  EXPECT_THAT(Describe(tree), ElementsAre("> A", "3 D"));
  EXPECT_EQ(tree.levels[0][0].submenu, 1u);
  EXPECT_THAT(Describe(tree, 1), ElementsAre("1 B", "2 C"));

  const MenuTree nested = ParseMenuString("~File{Open{Recent|All}Save}Quit", kNoColumnLimit);
  ASSERT_EQ(nested.levels.size(), 3u);
  EXPECT_THAT(Describe(nested), ElementsAre("~> File", "4 Quit"));
  EXPECT_THAT(Describe(nested, 1), ElementsAre("> Open", "3 Save"));
  EXPECT_THAT(Describe(nested, 2), ElementsAre("1 Recent", "2 All"));
}

TEST(MenuString, ClosingBraceAtTheTopLevelEndsTheText) {
  EXPECT_THAT(Top("A}B"), ElementsAre("1 A"));
  EXPECT_THAT(Top("A{B}}C|D"), ElementsAre("> A"));
}

TEST(MenuString, EndOfTextClosesOpenSubmenus) {
  const MenuTree tree = ParseMenuString("A{B{C", kNoColumnLimit);
  ASSERT_EQ(tree.levels.size(), 3u);
  EXPECT_THAT(Describe(tree, 2), ElementsAre("1 C"));
}

TEST(MenuString, OnlyTrailingBlanksOfTheWholeTextAreRemoved) {
  EXPECT_THAT(Top("A|B   "), ElementsAre("1 A", "2 B"));
  EXPECT_THAT(Top("A|   "), ElementsAre("1 A"));
  EXPECT_THAT(Top(" A |  |B"), ElementsAre("1  A ", "2   ", "3 B"));
  EXPECT_THAT(Top("- |-"), ElementsAre("1  ", "-"));  // "- " is no separator
}

TEST(MenuString, EmbeddedNulStaysInTheCaption) {
  const MenuTree tree = ParseMenuString(std::string_view("A\0B|C", 5), kNoColumnLimit);
  ASSERT_EQ(tree.itemCount, 2);
  EXPECT_EQ(tree.levels[0][0].caption, std::string("A\0B", 3));
}

TEST(MenuString, EachLevelBreaksIntoColumnsOfAtMostTheRowsThatFit) {
  EXPECT_THAT(Top("A|-|C|D|E", 2), ElementsAre("1 A", "-", "|2 C", "3 D", "|4 E"));
  const MenuTree tree = ParseMenuString("A|B{C|D|E}|F", 2);
  EXPECT_THAT(Describe(tree), ElementsAre("1 A", "> B", "|5 F"));
  EXPECT_THAT(Describe(tree, 1), ElementsAre("2 C", "3 D", "|4 E"));
  EXPECT_THAT(Top("A|B|C", 1), ElementsAre("1 A", "|2 B", "|3 C"));
}

TEST(MenuString, NoRowLimitKeepsOneColumn) {
  EXPECT_THAT(Top("A|B|C", 0), ElementsAre("1 A", "2 B", "3 C"));
  EXPECT_THAT(Top("A|B|C", -5), ElementsAre("1 A", "2 B", "3 C"));
}

TEST(MenuString, DeepNestingIsFlattenedBelowTheDepthLimitKeepingNumbers) {
  std::string text;
  for (int i = 0; i < 40; ++i) text += "S{";
  text += "Deep";
  for (int i = 0; i < 40; ++i) text += "}";
  text += "|Top}Ignored";
  const MenuTree tree = ParseMenuString(text, kNoColumnLimit);
  ASSERT_EQ(tree.levels.size(), kMaxMenuDepth + 1);
  EXPECT_THAT(Describe(tree, kMaxMenuDepth), ElementsAre("1 Deep"));
  EXPECT_THAT(Describe(tree), ElementsAre("> S", "2 Top"));
}

TEST(MenuString, HugeFlatTextIsReadInFull) {
  std::string text;
  for (int i = 0; i < 100000; ++i) text += "x|";
  const MenuTree tree = ParseMenuString(text, 30);
  EXPECT_EQ(tree.itemCount, 100000);
  EXPECT_EQ(tree.levels[0].back().itemNumber, 100000);
}

}  // namespace
}  // namespace quellix
