#pragma once
// What a list cell shows and where: the text of a field under its column's
// picture, and the horizontal placement of that text in dialog units. The
// drawing code converts the results to pixels; nothing here knows about them.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "winsvc/list_format.h"
#include "winsvc/list_source.h"

namespace quellix {

// The cell text of a field under a picture.
//
// Number pictures read field.number: empty for 0 when the picture says B;
// otherwise decimal digits without leading zeros, a leading '-' for a negative
// number, and with _ one blank between groups of three digits counted from the
// right ("-1 024"). A number whose text is longer than the picture's size shows
// as that many '#' characters: a cut number would be a wrong number.
//
// Text pictures read field.text: its first picture.size characters, without the
// trailing blanks of a padded field.
std::string CellText(const ListPicture& picture, const ListField& field);

// A horizontal stretch [left, right) in dialog units.
struct HorizontalSpan {
  int left = 0;
  int right = 0;
  constexpr bool operator==(const HorizontalSpan&) const = default;
};

// Where a cell's text is anchored: a right-aligned text ends here, a
// left-aligned text starts here; each lies indent units inside the edge that
// the column aligns to.
int CellTextAnchor(const ListColumn& column);

// The cell's clip span, the column's own: a text wider than its column is cut
// at the column's edges and never runs into the next column.
HorizontalSpan CellClip(const ListColumn& column);

// A cell that shows something, with the code page of its text.
struct ShownCell {
  std::string text;
  TextOrigin origin = TextOrigin::kProgram;
  bool operator==(const ShownCell&) const = default;
};

// What a row of the list says when it is read out rather than seen (a screen
// reader names the line by it): the texts of its cells in column order, the
// blank ones left out.
std::vector<ShownCell> ShownCells(std::span<const ListColumn> columns, const ListSource& rows,
                                  std::size_t row);

// The x positions of the separator lines: the right edges of the columns that
// have one, left to right.
std::vector<int> SeparatorPositions(std::span<const ListColumn> columns);

}  // namespace quellix
