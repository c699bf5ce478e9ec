#pragma once
// Fixed-width text: a field of exactly N characters, padded with blanks.
//
// Two texts are equal when they are equal after the shorter one has been filled
// up with blanks to the length of the longer; otherwise the comparison is exact
// and case-sensitive. Every assignment is bounded by N: longer input is cut.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace quellix {

// Equality of two blank-padded texts of any lengths.
constexpr bool PaddedEqual(std::string_view a, std::string_view b) {
  const std::string_view& shorter = a.size() <= b.size() ? a : b;
  const std::string_view& longer = a.size() <= b.size() ? b : a;
  if (longer.substr(0, shorter.size()) != shorter) return false;
  for (std::size_t i = shorter.size(); i < longer.size(); ++i) {
    if (longer[i] != ' ') return false;
  }
  return true;
}

// The text with the ASCII letters a to z made upper-case; every other
// character, those of other code pages included, stays as it is.
inline std::string AsciiUpperCase(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return upper;
}

// The text without its trailing blanks; leading and inner blanks stay.
constexpr std::string_view TrimTrailingBlanks(std::string_view text) {
  std::size_t end = text.size();
  while (end > 0 && text[end - 1] == ' ') --end;
  return text.substr(0, end);
}

template <std::size_t N>
class FixedText {
 public:
  static constexpr std::size_t kWidth = N;

  constexpr FixedText() { chars_.fill(' '); }
  constexpr FixedText(std::string_view text) { Assign(text); }  // NOLINT: implicit by design

  // Copies at most N characters of text and pads the rest with blanks.
  constexpr void Assign(std::string_view text) {
    const std::size_t n = text.size() < N ? text.size() : N;
    for (std::size_t i = 0; i < n; ++i) chars_[i] = text[i];
    for (std::size_t i = n; i < N; ++i) chars_[i] = ' ';
  }

  constexpr void Clear() { chars_.fill(' '); }

  // All N characters, blanks included.
  constexpr std::string_view View() const { return {chars_.data(), N}; }
  // The text without its trailing blanks.
  constexpr std::string_view Trimmed() const { return TrimTrailingBlanks(View()); }
  std::string Str() const { return std::string(Trimmed()); }

  constexpr bool operator==(std::string_view other) const { return PaddedEqual(View(), other); }
  template <std::size_t M>
  constexpr bool operator==(const FixedText<M>& other) const {
    return PaddedEqual(View(), other.View());
  }

 private:
  std::array<char, N> chars_{};
};

}  // namespace quellix
