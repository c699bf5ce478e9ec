#include "process/version_catalogue.h"

#include <string>

namespace quellix {

std::string NormaliseVersionCode(const Text12& versionCode) {
  return AsciiUpperCase(std::string(versionCode.Trimmed()) + ".EXE");
}

void ResolveVersion(Text12 versionCode, Text12& ideName, Text12& serverName) {
  const std::string key = NormaliseVersionCode(versionCode);
  for (const CatalogueRow& row : kVersionCatalogue) {
    if (PaddedEqual(key, row.key)) {
      ideName.Assign(row.ideName);
      serverName.Assign(row.serverName);
      return;
    }
  }
}

}  // namespace quellix
