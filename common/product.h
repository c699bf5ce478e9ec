#pragma once
// The product's name, version and About texts for the program. The values live
// in res/version.h, which the resource compiler reads too, so the version
// resource and the About page cannot disagree.

#include <string_view>

#include "res/version.h"

namespace quellix {

inline constexpr std::string_view kProductName = QUELLIX_PRODUCT_NAME;
inline constexpr int kVersionMajor = QUELLIX_VERSION_MAJOR;
inline constexpr int kVersionMinor = QUELLIX_VERSION_MINOR;
inline constexpr std::string_view kVersionText = QUELLIX_VERSION_TEXT;

inline constexpr std::string_view kAuthors = QUELLIX_AUTHORS;
inline constexpr std::string_view kCopyright = QUELLIX_COPYRIGHT;
// The About page shows these two and the shell opens them: the same texts.
inline constexpr std::string_view kWebSite = QUELLIX_WEB_SITE;
inline constexpr std::string_view kMailAddress = QUELLIX_MAIL_ADDRESS;

}  // namespace quellix
