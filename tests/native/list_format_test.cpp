#include "winsvc/list_format.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <ostream>
#include <stdexcept>
#include <string>

#include "common/text_widths.h"
#include "winsvc/cell_text.h"

namespace quellix {

void PrintTo(const ListColumn& c, std::ostream* os) {
  *os << "{left " << c.left << ", width " << c.width << ", "
      << (c.alignment == ColumnAlignment::kRight ? 'R' : 'L') << ", indent " << c.indent
      << (c.rightSeparator ? ", |" : "") << ", "
      << (c.picture.kind == PictureKind::kNumber ? 'N' : 's') << c.picture.size
      << (c.picture.grouped ? "_" : "") << (c.picture.blankWhenZero ? "B" : "") << "}";
}

void PrintTo(const ShownCell& cell, std::ostream* os) {
  *os << '"' << cell.text << '"' << (cell.origin == TextOrigin::kSystem ? " (system)" : "");
}

namespace {

constexpr std::string_view kProcessListFormat =
    "24R(2)|@N5_B@56R(2)|@N13_B@56R(2)|@N13_B@146L(2)|@s255@";

constexpr ListPicture Number(int size) { return {PictureKind::kNumber, size, true, true}; }

std::string ParseError(std::string_view format) {
  try {
    ParseListFormat(format);
  } catch (const std::invalid_argument& e) {
    return e.what();
  }
  return "(accepted)";
}

TEST(ListFormat, TheProcessListFormatGivesFourAdjacentColumns) {
  const ListPicture text{PictureKind::kText, 255, false, false};
  EXPECT_THAT(
      ParseListFormat(kProcessListFormat),
      ::testing::ElementsAre(ListColumn{0, 24, ColumnAlignment::kRight, 2, true, Number(5)},
                             ListColumn{24, 56, ColumnAlignment::kRight, 2, true, Number(13)},
                             ListColumn{80, 56, ColumnAlignment::kRight, 2, true, Number(13)},
                             ListColumn{136, 146, ColumnAlignment::kLeft, 2, true, text}));
}

TEST(ListFormat, SeparatorsAndNumberFlagsAreOptional) {
  EXPECT_THAT(
      ParseListFormat("10L(0)@s1@20R(1)|@N3@5R(0)@N2_@"),
      ::testing::ElementsAre(
          ListColumn{0, 10, ColumnAlignment::kLeft, 0, false, {PictureKind::kText, 1}},
          ListColumn{10, 20, ColumnAlignment::kRight, 1, true, {PictureKind::kNumber, 3}},
          ListColumn{
              30, 5, ColumnAlignment::kRight, 0, false, {PictureKind::kNumber, 2, true, false}}));
}

TEST(ListFormat, MalformedFormatsAreRejectedSayingWhatAndWhere) {
  EXPECT_EQ(ParseError(""), "list format is empty");
  EXPECT_EQ(ParseError("24R(2)|"),
            "list format, column 1 at offset 7: expected '@' to open the picture, found the end "
            "of the format");
  EXPECT_EQ(ParseError("24R(2)|@N5_B@56r(2)|@N13_B@"),
            "list format, column 2 at offset 15: expected the alignment L or R, found 'r'");
  EXPECT_EQ(ParseError("24R(2)@s5@x"),
            "list format, column 2 at offset 10: expected the column width, found 'x'");
  EXPECT_EQ(ParseError("24R(2)@s5@\x01"),
            "list format, column 2 at offset 10: expected the column width, found byte 0x01");
  EXPECT_EQ(ParseError("0R(2)@s5@"), "list format, column 1 at offset 0: a column width of 0");
  EXPECT_EQ(ParseError("24R(24)@s5@"),
            "list format, column 1 at offset 4: an indent of 24 leaves no room in a column 24 "
            "wide");
  EXPECT_EQ(ParseError("24R(2)@S5@"),
            "list format, column 1 at offset 7: expected the picture type N (number) or s (text), "
            "found 'S'");
  EXPECT_EQ(ParseError("24R(2)@N0@"), "list format, column 1 at offset 8: a picture size of 0");
  EXPECT_EQ(ParseError("24R(2)@N5B_@"),
            "list format, column 1 at offset 10: expected '@' to close the picture, found '_'");
  EXPECT_EQ(ParseError("24R(2)@s5_@"),
            "list format, column 1 at offset 9: expected '@' to close the picture, found '_'");
  EXPECT_EQ(ParseError("99999999999999999999R(2)@s5@"),
            "list format, column 1 at offset 0: the column width is larger than 32767");
  EXPECT_EQ(ParseError("30000R(2)@s5@2768L(0)@s1@"),
            "list format, column 2 at offset 13: the column ends beyond 32767 dialog units");
  EXPECT_EQ(ParseError("24R2)@s5@"),
            "list format, column 1 at offset 3: expected '(' before the indent, found '2'");
  EXPECT_EQ(ParseError("24R(2@s5@"),
            "list format, column 1 at offset 5: expected ')' after the indent, found '@'");
}

TEST(ListFormat, ColumnsMayReachTheLargestRightEdge) {
  EXPECT_EQ(ParseListFormat("30000R(2)@s5@2767L(0)@s1@").back().Right(), kMaxListFormatNumber);
}

TEST(CellText, GroupedBlankWhenZeroNumbers) {
  const ListPicture id = Number(13);
  EXPECT_EQ(CellText(id, {0, {}}), "");
  EXPECT_EQ(CellText(id, {7, {}}), "7");
  EXPECT_EQ(CellText(id, {100, {}}), "100");
  EXPECT_EQ(CellText(id, {1000, {}}), "1 000");
  EXPECT_EQ(CellText(id, {1024, {}}), "1 024");
  EXPECT_EQ(CellText(id, {65535, {}}), "65 535");
  EXPECT_EQ(CellText(id, {2147483647, {}}), "2 147 483 647");
  EXPECT_EQ(CellText(Number(5), {1024, {}}), "1 024");
}

TEST(CellText, ZeroWithoutBlankAndDigitsWithoutGrouping) {
  const ListPicture plain{PictureKind::kNumber, 13, false, false};
  EXPECT_EQ(CellText(plain, {0, {}}), "0");
  EXPECT_EQ(CellText(plain, {1024, {}}), "1024");
}

TEST(CellText, NegativeNumbersLeadWithAMinus) {
  EXPECT_EQ(CellText(Number(13), {-100, {}}), "-100");
  EXPECT_EQ(CellText(Number(13), {-1024, {}}), "-1 024");
  EXPECT_EQ(CellText(Number(26), {std::numeric_limits<std::int64_t>::min(), {}}),
            "-9 223 372 036 854 775 808");
}

TEST(CellText, ANumberTooLongForItsPictureShowsHashesNotACutNumber) {
  EXPECT_EQ(CellText(Number(5), {65535, {}}), "#####");
  EXPECT_EQ(CellText(Number(5), {-1024, {}}), "#####");
}

TEST(CellText, TextIsCutToThePictureAndLosesTrailingBlanks) {
  const ListPicture path{PictureKind::kText, 255, false, false};
  const std::string longName = std::string(299, 'a') + "b";
  EXPECT_EQ(CellText(path, {0, longName}), std::string(255, 'a'));
  EXPECT_EQ(CellText(path, {0, Text256(" NTVDM.EXE").View()}), " NTVDM.EXE");
  EXPECT_EQ(CellText(path, {0, Text256(std::string(255, 'x') + "y").View()}),
            std::string(255, 'x'));
  EXPECT_EQ(CellText(path, {0, std::string(250, 'x') + std::string(10, ' ') + "z"}),
            std::string(250, 'x'));
  EXPECT_EQ(CellText(path, {0, ""}), "");
}

// A line read out: its cells as shown, the blank task number left out, each
// text in its own code page.
TEST(ShownCells, ALineIsReadByItsVisibleCellsInColumnOrder) {
  class OneRow : public ListSource {
   public:
    std::size_t RowCount() const override { return 1; }
    ListField Field(std::size_t, std::size_t field) const override {
      const ListField fields[] = {{.number = 1024},
                                  {.number = 8},
                                  {.number = 0},
                                  {.text = "NTVDM.EXE   ", .origin = TextOrigin::kSystem}};
      return fields[field];
    }
  } row;
  EXPECT_EQ(ShownCells(ParseListFormat(kProcessListFormat), row, 0),
            (std::vector<ShownCell>{{"1 024", TextOrigin::kProgram},
                                    {"8", TextOrigin::kProgram},
                                    {"NTVDM.EXE", TextOrigin::kSystem}}));
}

TEST(CellPlacement, TextsKeepTheirIndentFromTheAlignedEdgeAndClipToTheColumn) {
  const auto columns = ParseListFormat(kProcessListFormat);
  EXPECT_EQ(CellTextAnchor(columns[0]), 22);  // "1 024" ends 2 units left of the line at 24
  EXPECT_EQ(CellTextAnchor(columns[1]), 78);
  EXPECT_EQ(CellTextAnchor(columns[2]), 134);
  EXPECT_EQ(CellTextAnchor(columns[3]), 138);
  EXPECT_EQ(CellClip(columns[0]), (HorizontalSpan{0, 24}));
  EXPECT_EQ(CellClip(columns[3]), (HorizontalSpan{136, 282}));
}

TEST(CellPlacement, SeparatorsStandAtTheRightEdgesOfColumnsThatHaveThem) {
  EXPECT_THAT(SeparatorPositions(ParseListFormat(kProcessListFormat)),
              ::testing::ElementsAre(24, 80, 136, 282));
  EXPECT_THAT(SeparatorPositions(ParseListFormat("10L(0)@s1@20R(1)|@N3@5R(0)@N2@")),
              ::testing::ElementsAre(30));
}

}  // namespace
}  // namespace quellix
