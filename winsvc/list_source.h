#pragma once
// What a list control shows: rows of fields, read when the list is drawn. The
// list keeps no copy, so a change in the rows shows at the next drawing.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "winsvc/text_origin.h"

namespace quellix {

// One field of a row: a number or a text, as the column's picture expects.
struct ListField {
  std::int64_t number = 0;
  std::string_view text;                     // valid until the rows change
  TextOrigin origin = TextOrigin::kProgram;  // the code page of text
};

class ListSource {
 public:
  virtual ~ListSource() = default;
  virtual std::size_t RowCount() const = 0;
  // The field-th field (0-based, in the row's field order) of row (0-based).
  virtual ListField Field(std::size_t row, std::size_t field) const = 0;
};

}  // namespace quellix
