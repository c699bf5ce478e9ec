#include "winsvc/win32/text_drawing.h"

#include "winsvc/win32/dc_scopes.h"

namespace quellix::win32 {
namespace {
constexpr UINT kWindowsLatin1 = 1252;
}  // namespace

UINT CodePageOf(TextOrigin origin) {
  return origin == TextOrigin::kSystem ? CP_ACP : kWindowsLatin1;
}

std::wstring WideText(std::string_view text, TextOrigin origin) {
  if (text.empty()) return {};
  const UINT codePage = CodePageOf(origin);
  const int length = static_cast<int>(text.size());
  // A double-byte code page never makes more UTF-16 units than bytes.
  std::wstring wide(text.size(), L'\0');
  const int made = ::MultiByteToWideChar(codePage, 0, text.data(), length, wide.data(), length);
  wide.resize(made > 0 ? static_cast<std::size_t>(made) : 0);
  return wide;
}

void DrawTextOf(HDC dc, std::string_view text, TextOrigin origin, RECT& rect, UINT format) {
  const std::wstring wide = WideText(text, origin);
  ::DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &rect, format);
}

SIZE TextExtentOf(HDC dc, std::string_view text, TextOrigin origin) {
  SIZE extent{};
  if (text.empty()) {
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(dc, &metrics);
    extent.cy = metrics.tmHeight;
    return extent;
  }
  const std::wstring wide = WideText(text, origin);
  ::GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &extent);
  return extent;
}

SIZE TextExtent(HFONT font, std::string_view text, TextOrigin origin) {
  WindowDc screen(nullptr);
  const Selection selected(screen.get(), font);
  return TextExtentOf(screen.get(), text, origin);
}

}  // namespace quellix::win32
