#include "winsvc/win32/text_drawing.h"

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
  const std::wstring wide = WideText(text, origin);
  SIZE extent{};
  ::GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &extent);
  return extent;
}

}  // namespace quellix::win32
