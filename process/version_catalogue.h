#pragma once
// The Clarion editions the program knows, and their executable names.

#include <array>
#include <string_view>

#include "common/text_widths.h"

namespace quellix {

struct CatalogueRow {
  std::string_view key;         // the normalised version code
  std::string_view ideName;     // the IDE executable, run as a 16-bit task
  std::string_view serverName;  // the edition's server process
};

// Searched in this order; the first equal key wins.
inline constexpr std::array<CatalogueRow, 6> kVersionCatalogue{{
    {"C5PE.EXE", "C5PE.EXE", "C5SRVX.EXE"},
    {"C5EE.EXE", "C5EE.EXE", "C5SRVX.EXE"},
    {"C55PE.EXE", "C55PE.EXE", "C55SRVX.EXE"},
    {"C55EE.EXE", "C55EE.EXE", "C55SRVX.EXE"},
    {"C60PE.EXE", "C60PE.EXE", "C60SRVX.EXE"},
    {"C60EE.EXE", "C60EE.EXE", "C60SRVX.EXE"},
}};

// The code as a catalogue key: trailing blanks removed, ".EXE" appended, lower-case
// letters made upper-case. "c60ee" becomes "C60EE.EXE".
std::string NormaliseVersionCode(const Text12& versionCode);

// Writes the IDE and server executable names of the edition that versionCode
// names. A code outside the catalogue leaves both names as they were.
void ResolveVersion(Text12 versionCode, Text12& ideName, Text12& serverName);

}  // namespace quellix
