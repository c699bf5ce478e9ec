#include "winsvc/win32/font_set.h"

#include "common/bounded_copy.h"
#include "winsvc/win32/dc_scopes.h"

namespace quellix::win32 {
namespace {
constexpr int kDefaultPoints = 8;
}  // namespace

FontSet::FontSet(std::string_view face, int points) {
  WindowDc screen(nullptr);
  baseLook_.lfHeight = -::MulDiv(points > 0 ? points : kDefaultPoints,
                                 ::GetDeviceCaps(screen.get(), LOGPIXELSY), 72);
  baseLook_.lfWeight = FW_NORMAL;
  baseLook_.lfCharSet = DEFAULT_CHARSET;
  baseLook_.lfOutPrecision = OUT_DEFAULT_PRECIS;
  baseLook_.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  baseLook_.lfQuality = DEFAULT_QUALITY;
  baseLook_.lfPitchAndFamily = DEFAULT_PITCH | FF_SWISS;
  CopyTerminated(baseLook_.lfFaceName, sizeof baseLook_.lfFaceName, face);
  base_ = Font(::CreateFontIndirectA(&baseLook_));
}

HFONT FontSet::Acquire(FontStyle style) {
  if (style == 0) return base_.get();
  Variant& variant = variants_[style];
  if (!variant.font) {
    // Face and size stay; weight and flags come from the style word.
    LOGFONTA look = baseLook_;
    look.lfWeight = style & kFontWeightMask;  // 0: the font's default weight
    look.lfItalic = (style & kFontItalic) ? TRUE : FALSE;
    look.lfUnderline = (style & kFontUnderline) ? TRUE : FALSE;
    look.lfStrikeOut = (style & kFontStrikeOut) ? TRUE : FALSE;
    variant.font = Font(::CreateFontIndirectA(&look));
  }
  ++variant.users;
  return variant.font.get();
}

void FontSet::Release(FontStyle style) {
  if (style == 0) return;
  const auto found = variants_.find(style);
  if (found == variants_.end()) return;
  if (--found->second.users <= 0) {
    variants_.erase(found);
  }
}

}  // namespace quellix::win32
