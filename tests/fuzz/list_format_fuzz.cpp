// Any text is either rejected with a message or read into columns that lie side
// by side from 0, that read back the same from their canonical text, and whose
// cells format and place within their bounds.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "winsvc/cell_text.h"
#include "winsvc/list_format.h"

namespace quellix {
namespace {

void Require(bool holds) {
  if (!holds) std::abort();
}

std::string CanonicalText(const std::vector<ListColumn>& columns) {
  std::string text;
  for (const ListColumn& c : columns) {
    text += std::to_string(c.width);
    text += c.alignment == ColumnAlignment::kRight ? 'R' : 'L';
    text += "(" + std::to_string(c.indent) + ")";
    if (c.rightSeparator) text += '|';
    text += c.picture.kind == PictureKind::kNumber ? "@N" : "@s";
    text += std::to_string(c.picture.size);
    if (c.picture.grouped) text += '_';
    if (c.picture.blankWhenZero) text += 'B';
    text += '@';
  }
  return text;
}

void CheckColumns(const std::vector<ListColumn>& columns, std::string_view input) {
  Require(!columns.empty());
  int left = 0;
  for (const ListColumn& c : columns) {
    Require(c.left == left);
    Require(c.width > 0 && c.Right() <= kMaxListFormatNumber);
    Require(c.indent >= 0 && c.indent < c.width);
    Require(c.picture.size > 0);
    Require(c.picture.kind == PictureKind::kNumber ||
            (!c.picture.grouped && !c.picture.blankWhenZero));
    left = c.Right();

    const HorizontalSpan clip = CellClip(c);
    const int anchor = CellTextAnchor(c);
    Require(clip.left == c.left && clip.right == c.Right());
    Require(anchor > clip.left || (anchor == clip.left && c.indent == 0));
    Require(anchor <= clip.right);

    const std::size_t size = static_cast<std::size_t>(c.picture.size);
    for (const std::int64_t number :
         {std::int64_t{0}, std::int64_t{-1}, std::int64_t{65535},
          std::numeric_limits<std::int64_t>::min(), std::numeric_limits<std::int64_t>::max()}) {
      Require(CellText(c.picture, {number, input}).size() <= size);
    }
  }

  const std::vector<int> separators = SeparatorPositions(columns);
  for (std::size_t i = 1; i < separators.size(); ++i) Require(separators[i - 1] < separators[i]);

  Require(ParseListFormat(CanonicalText(columns)) == columns);
}

}  // namespace
}  // namespace quellix

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  std::vector<quellix::ListColumn> columns;
  try {
    columns = quellix::ParseListFormat(input);
  } catch (const std::invalid_argument& error) {
    quellix::Require(std::string_view(error.what()).starts_with("list format"));
    return 0;
  }
  quellix::CheckColumns(columns, input);
  return 0;
}
