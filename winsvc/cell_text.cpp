#include "winsvc/cell_text.h"

#include <cstddef>

#include "common/fixed_text.h"

namespace quellix {
namespace {

// A hand-made picture may carry any size; a negative one shows nothing.
std::size_t SizeOf(const ListPicture& picture) {
  return picture.size > 0 ? static_cast<std::size_t>(picture.size) : 0;
}

std::string NumberText(const ListPicture& picture, std::int64_t value) {
  if (value == 0 && picture.blankWhenZero) return {};

  // The magnitude in unsigned arithmetic, so the most negative value has one.
  std::uint64_t magnitude = static_cast<std::uint64_t>(value);
  if (value < 0) magnitude = 0 - magnitude;

  // Built from the right, digit by digit, then reversed.
  std::string text;
  int digits = 0;
  do {
    if (picture.grouped && digits > 0 && digits % 3 == 0) text.push_back(' ');
    text.push_back(static_cast<char>('0' + magnitude % 10));
    magnitude /= 10;
    ++digits;
  } while (magnitude != 0);
  if (value < 0) text.push_back('-');

  if (text.size() > SizeOf(picture)) return std::string(SizeOf(picture), '#');
  return {text.rbegin(), text.rend()};
}

std::string TextText(const ListPicture& picture, std::string_view text) {
  return std::string(TrimTrailingBlanks(text.substr(0, SizeOf(picture))));
}

}  // namespace

std::string CellText(const ListPicture& picture, const ListField& field) {
  return picture.kind == PictureKind::kNumber ? NumberText(picture, field.number)
                                              : TextText(picture, field.text);
}

int CellTextAnchor(const ListColumn& column) {
  return column.alignment == ColumnAlignment::kRight ? column.Right() - column.indent
                                                     : column.left + column.indent;
}

HorizontalSpan CellClip(const ListColumn& column) { return {column.left, column.Right()}; }

std::vector<ShownCell> ShownCells(std::span<const ListColumn> columns, const ListSource& rows,
                                  std::size_t row) {
  std::vector<ShownCell> cells;
  for (std::size_t field = 0; field < columns.size(); ++field) {
    const ListField shown = rows.Field(row, field);
    std::string text = CellText(columns[field].picture, shown);
    if (!text.empty()) cells.push_back({std::move(text), shown.origin});
  }
  return cells;
}

std::vector<int> SeparatorPositions(std::span<const ListColumn> columns) {
  std::vector<int> positions;
  for (const ListColumn& column : columns) {
    if (column.rightSeparator) positions.push_back(column.Right());
  }
  return positions;
}

}  // namespace quellix
