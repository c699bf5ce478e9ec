#include "winsvc/list_format.h"

#include <cstddef>
#include <stdexcept>
#include <string>

namespace quellix {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Reads one format from left to right; every failure names the column (1-based)
// and the offset (0-based) where reading stopped.
class FormatReader {
 public:
  explicit FormatReader(std::string_view format) : format_(format) {}

  std::vector<ListColumn> ReadAll() {
    if (format_.empty()) throw std::invalid_argument("list format is empty");
    std::vector<ListColumn> columns;
    int left = 0;
    while (!AtEnd()) {
      ++column_;
      const std::size_t start = pos_;
      ListColumn column = ReadColumn();
      if (column.width > kMaxListFormatNumber - left) {
        Fail(start,
             "the column ends beyond " + std::to_string(kMaxListFormatNumber) + " dialog units");
      }
      column.left = left;
      left += column.width;
      columns.push_back(column);
    }
    return columns;
  }

 private:
  ListColumn ReadColumn() {
    ListColumn column;
    const std::size_t widthAt = pos_;
    column.width = ReadNumber("the column width");
    if (column.width == 0) Fail(widthAt, "a column width of 0");

    if (Accept('L')) {
      column.alignment = ColumnAlignment::kLeft;
    } else if (Accept('R')) {
      column.alignment = ColumnAlignment::kRight;
    } else {
      Unexpected("the alignment L or R");
    }

    Expect('(', "'(' before the indent");
    const std::size_t indentAt = pos_;
    column.indent = ReadNumber("the indent");
    if (column.indent >= column.width) {
      Fail(indentAt, "an indent of " + std::to_string(column.indent) +
                         " leaves no room in a column " + std::to_string(column.width) + " wide");
    }
    Expect(')', "')' after the indent");

    column.rightSeparator = Accept('|');
    column.picture = ReadPicture();
    return column;
  }

  ListPicture ReadPicture() {
    Expect('@', "'@' to open the picture");
    ListPicture picture;
    if (Accept('N')) {
      picture.kind = PictureKind::kNumber;
    } else if (Accept('s')) {
      picture.kind = PictureKind::kText;
    } else {
      Unexpected("the picture type N (number) or s (text)");
    }
    const std::size_t sizeAt = pos_;
    picture.size = ReadNumber("the picture's size");
    if (picture.size == 0) Fail(sizeAt, "a picture size of 0");

    if (picture.kind == PictureKind::kNumber) {
      picture.grouped = Accept('_');
      picture.blankWhenZero = Accept('B');
      if (!picture.blankWhenZero) {
        Expect('@', picture.grouped ? "'B' or '@' in the number picture"
                                    : "'_', 'B' or '@' in the number picture");
        return picture;
      }
    }
    Expect('@', "'@' to close the picture");
    return picture;
  }

  // A decimal number from 0 to kMaxListFormatNumber; reading stops at the first
  // digit that would make it larger, so no input can overflow it.
  int ReadNumber(const std::string& what) {
    if (AtEnd() || !IsDigit(Peek())) Unexpected(what);
    const std::size_t start = pos_;
    int value = 0;
    while (!AtEnd() && IsDigit(Peek())) {
      value = value * 10 + (Peek() - '0');
      if (value > kMaxListFormatNumber) {
        Fail(start, what + " is larger than " + std::to_string(kMaxListFormatNumber));
      }
      ++pos_;
    }
    return value;
  }

  bool AtEnd() const { return pos_ >= format_.size(); }
  char Peek() const { return format_[pos_]; }

  bool Accept(char c) {
    if (AtEnd() || Peek() != c) return false;
    ++pos_;
    return true;
  }

  void Expect(char c, const char* what) {
    if (!Accept(c)) Unexpected(what);
  }

  [[noreturn]] void Unexpected(const std::string& what) const {
    std::string found;
    if (AtEnd()) {
      found = "the end of the format";
    } else if (const unsigned char c = static_cast<unsigned char>(Peek()); c >= 0x20 && c < 0x7F) {
      found = std::string("'") + Peek() + "'";
    } else {
      // Spelt out rather than printed: a formatted print would bring the C
      // runtime's whole printf into the program for this one message.
      constexpr char kHexDigits[] = "0123456789ABCDEF";
      found = "byte 0x";
      found += kHexDigits[c >> 4];
      found += kHexDigits[c & 0xF];
    }
    Fail(pos_, "expected " + what + ", found " + found);
  }

  [[noreturn]] void Fail(std::size_t at, const std::string& what) const {
    throw std::invalid_argument("list format, column " + std::to_string(column_) + " at offset " +
                                std::to_string(at) + ": " + what);
  }

  std::string_view format_;
  std::size_t pos_ = 0;
  int column_ = 0;
};

}  // namespace

std::vector<ListColumn> ParseListFormat(std::string_view format) {
  return FormatReader(format).ReadAll();
}

}  // namespace quellix
