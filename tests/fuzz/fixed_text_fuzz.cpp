// Any two byte strings: padded equality is symmetric, agrees with comparing
// the texts without their trailing blanks, and fixed-width fields of 12 and
// 256 characters hold exactly their width, cut and padded, and compare as
// their contents do. The first byte splits the rest into the two texts.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "common/fixed_text.h"

namespace quellix {
namespace {

void Require(bool holds) {
  if (!holds) std::abort();
}

template <std::size_t N>
void CheckField(std::string_view a, std::string_view b) {
  const FixedText<N> field(a);
  Require(field.View().size() == N);
  const std::string_view kept = a.substr(0, N);
  Require(field.View().substr(0, kept.size()) == kept);
  for (std::size_t i = kept.size(); i < N; ++i) Require(field.View()[i] == ' ');
  Require(field.Trimmed() == TrimTrailingBlanks(kept));
  Require(field == kept);
  Require((field == b) == PaddedEqual(kept, b));
  const FixedText<N> other(b);
  Require((field == other) == (field.Trimmed() == other.Trimmed()));
}

}  // namespace
}  // namespace quellix

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
  const std::size_t split = rest.empty() ? 0 : data[0] % (rest.size() + 1);
  const std::string_view a = rest.substr(0, split);
  const std::string_view b = rest.substr(split);

  using quellix::PaddedEqual;
  using quellix::Require;
  using quellix::TrimTrailingBlanks;
  Require(PaddedEqual(a, b) == PaddedEqual(b, a));
  Require(PaddedEqual(a, b) == (TrimTrailingBlanks(a) == TrimTrailingBlanks(b)));
  Require(PaddedEqual(a, a));
  Require(TrimTrailingBlanks(a).size() <= a.size());
  Require(TrimTrailingBlanks(a).empty() || TrimTrailingBlanks(a).back() != ' ');
  quellix::CheckField<12>(a, b);
  quellix::CheckField<256>(a, b);
  return 0;
}
