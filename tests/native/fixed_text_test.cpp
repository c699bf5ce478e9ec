#include "common/fixed_text.h"

#include <gtest/gtest.h>

#include <string>

namespace quellix {
namespace {

TEST(FixedText, ComparesAsIfTheShorterWerePaddedWithBlanks) {
  EXPECT_TRUE(PaddedEqual("C60EE", "C60EE       "));
  EXPECT_TRUE(PaddedEqual("", "   "));
  EXPECT_TRUE(PaddedEqual("", ""));
  EXPECT_FALSE(PaddedEqual("C60EE", "c60ee"));   // case counts
  EXPECT_FALSE(PaddedEqual("C60EE", " C60EE"));  // leading blanks count
  EXPECT_FALSE(PaddedEqual("C60EE", "C60EE.EXE"));
  EXPECT_FALSE(PaddedEqual("A", "A\t"));  // only blanks pad
}

TEST(FixedText, AssignmentPadsAndCutsToTheWidth) {
  FixedText<4> text("ab");
  EXPECT_EQ(text.View(), "ab  ");
  EXPECT_EQ(text.Trimmed(), "ab");
  text.Assign("abcdefgh");
  EXPECT_EQ(text.View(), "abcd");
  text.Clear();
  EXPECT_EQ(text.View(), "    ");
  EXPECT_TRUE(text == "");
}

TEST(FixedText, TextsOfDifferentWidthsCompareByTheirPaddedContent) {
  const FixedText<12> shortField("NTVDM.EXE");
  const FixedText<256> longField("NTVDM.EXE");
  EXPECT_TRUE(longField == shortField);
  EXPECT_TRUE(shortField == std::string("NTVDM.EXE   "));
  EXPECT_FALSE(longField == FixedText<12>("ntvdm.exe"));
}

TEST(FixedText, InnerAndLeadingBlanksSurviveTrimming) {
  const FixedText<16> text("  a b  ");
  EXPECT_EQ(text.Trimmed(), "  a b");
  EXPECT_EQ(TrimTrailingBlanks("   "), "");
}

}  // namespace
}  // namespace quellix
