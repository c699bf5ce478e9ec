#pragma once
// A list control's column format: one text that gives every column's width,
// alignment, indent, separator line and picture, for example
//
//   24R(2)|@N5_B@56R(2)|@N13_B@56R(2)|@N13_B@146L(2)|@s255@
//
// Each column is  <width><L|R>(<indent>)[|]@<picture>@  and the columns follow
// each other without anything between them. Pictures:
//   N<digits>[_][B]  a number of at most <digits> characters; _ groups the
//                    digits in threes with a blank between groups, B leaves the
//                    cell blank when the number is 0 (_ comes before B)
//   s<n>             a text of at most n characters
// The reading is strict: letters are taken exactly as written here (no lower-case
// L or R, no upper-case S), the indent is required, and anything else is an
// error. Widths and indents are horizontal dialog units.

#include <string_view>
#include <vector>

namespace quellix {

enum class ColumnAlignment { kLeft, kRight };

enum class PictureKind { kNumber, kText };

struct ListPicture {
  PictureKind kind = PictureKind::kText;
  int size = 0;                // at most this many characters in a cell
  bool grouped = false;        // number: digits grouped in threes
  bool blankWhenZero = false;  // number: an empty cell for 0
  constexpr bool operator==(const ListPicture&) const = default;
};

struct ListColumn {
  int left = 0;  // from the list's inner left edge; the previous column's right edge
  int width = 0;
  ColumnAlignment alignment = ColumnAlignment::kLeft;
  int indent = 0;               // gap between the text and the edge it is aligned to
  bool rightSeparator = false;  // a vertical line at the right edge
  ListPicture picture;
  constexpr int Right() const { return left + width; }
  constexpr bool operator==(const ListColumn&) const = default;
};

// Largest width, indent, picture size and right edge of the last column. Dialog
// templates hold coordinates in 16 bits, so nothing larger can be shown.
inline constexpr int kMaxListFormatNumber = 32767;

// Reads a column format. Throws std::invalid_argument, saying what was wrong and
// at which offset of which column, for a text that is not a well-formed format;
// nothing is returned then, so a caller never sees a partly read format.
std::vector<ListColumn> ParseListFormat(std::string_view format);

}  // namespace quellix
