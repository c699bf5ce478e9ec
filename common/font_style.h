#pragma once
// A font style word: the weight (0 leaves it to the font, 400 normal, 700 bold)
// plus these flags.

#include <cstdint>

namespace quellix {

using FontStyle = std::int32_t;
inline constexpr FontStyle kFontItalic = 4096;
inline constexpr FontStyle kFontUnderline = 8192;
inline constexpr FontStyle kFontStrikeOut = 16384;
inline constexpr FontStyle kFontWeightMask = 0x0FFF;

}  // namespace quellix
