#pragma once
// The name under which the resource script keeps a file: "CLARION.ICO" is the
// resource CLARION_ICO. The window definition names its icons by file; the
// window and the tray load them by this one name.

#include <algorithm>
#include <string>
#include <string_view>

#include "common/fixed_text.h"

namespace quellix {

inline std::string ResourceNameOf(std::string_view fileName) {
  std::string name = AsciiUpperCase(fileName);
  std::replace(name.begin(), name.end(), '.', '_');
  return name;
}

}  // namespace quellix
