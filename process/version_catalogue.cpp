#include "process/version_catalogue.h"

#include <string>

namespace quellix {

std::string NormaliseVersionCode(const Text12& versionCode) {
  std::string key(versionCode.Trimmed());
  key += ".EXE";
  for (char& c : key) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return key;
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
