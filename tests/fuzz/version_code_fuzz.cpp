// Any version code, as the option group or a caller might hand it over: its
// catalogue key is its first 12 characters without trailing blanks, in upper
// case, with ".EXE" after them, and it resolves either to the one catalogue
// row whose key it equals or to nothing, leaving both names untouched.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "process/version_catalogue.h"

namespace quellix {
namespace {

void Require(bool holds) {
  if (!holds) std::abort();
}

constexpr std::string_view kUntouched = "untouched";

}  // namespace
}  // namespace quellix

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quellix;
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const Text12 code(input);

  const std::string key = NormaliseVersionCode(code);
  const std::string_view trimmed = code.Trimmed();
  Require(key.size() == trimmed.size() + 4);
  Require(std::string_view(key).substr(trimmed.size()) == ".EXE");
  for (std::size_t i = 0; i < trimmed.size(); ++i) {
    const char c = trimmed[i];
    Require(key[i] == ((c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c));
  }

  Text12 ideName(kUntouched);
  Text12 serverName(kUntouched);
  ResolveVersion(code, ideName, serverName);
  const CatalogueRow* match = nullptr;
  for (const CatalogueRow& row : kVersionCatalogue) {
    if (PaddedEqual(key, row.key)) {
      match = &row;
      break;
    }
  }
  if (match) {
    Require(ideName == match->ideName && serverName == match->serverName);
  } else {
    Require(ideName == kUntouched && serverName == kUntouched);
  }
  return 0;
}
