#include "winsvc/win32/font_set.h"

#include "common/bounded_copy.h"

namespace quellix::win32 {
namespace {
constexpr int kDefaultPoints = 8;
int fontsAlive = 0;

// Every font of a FontSet is made here, so that FontsAlive counts them all.
Font MakeFont(const LOGFONTA& look) {
  Font font(::CreateFontIndirectA(&look));
  if (font) ++fontsAlive;
  return font;
}

void DeleteFont(Font& font) {
  if (font) --fontsAlive;
  font.Reset();
}
}  // namespace

int FontSet::FontsAlive() { return fontsAlive; }

FontSet::~FontSet() {
  for (auto& [style, variant] : variants_) DeleteFont(variant.font);
  DeleteFont(base_);
}

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
  base_ = MakeFont(baseLook_);
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
    variant.font = MakeFont(look);
  }
  ++variant.users;
  return variant.font.get();
}

void FontSet::Release(FontStyle style) {
  if (style == 0) return;
  const auto found = variants_.find(style);
  if (found == variants_.end()) return;
  if (--found->second.users <= 0) {
    DeleteFont(found->second.font);
    variants_.erase(found);
  }
}

}  // namespace quellix::win32
