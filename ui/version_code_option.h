#pragma once
// The version code as the Version page's option group shows and stores it.

#include "common/text_widths.h"
#include "winsvc/option_source.h"

namespace quellix {

class VersionCodeOption : public OptionSource {
 public:
  explicit VersionCodeOption(Text12& versionCode) : versionCode_(versionCode) {}
  std::string_view Value() const override { return versionCode_.View(); }
  // The radio button's value, padded to the code's 12 characters.
  void Store(std::string_view value) override { versionCode_.Assign(value); }

 private:
  Text12& versionCode_;
};

}  // namespace quellix
