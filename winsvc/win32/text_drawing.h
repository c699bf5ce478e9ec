#pragma once
// The one way the window services draw and measure text. Each text is turned
// into UTF-16 from its own code page and handed to the wide text functions, so
// it reads the same on every system: the ANSI functions would read every byte
// in the code page of the font's character set, which for the default set is
// the system's, and byte 0xB0 of a program text is no degree sign on a
// Japanese, Chinese, Korean or Thai system.

#include <windows.h>

#include <string>
#include <string_view>

#include "winsvc/text_origin.h"

namespace quellix::win32 {

// The code page that the bytes of a text of this origin are in.
UINT CodePageOf(TextOrigin origin);

// The text in UTF-16, as MultiByteToWideChar reads it from the origin's code
// page.
std::wstring WideText(std::string_view text, TextOrigin origin);

// DrawTextW of the text, with DrawText's rectangle and format.
void DrawTextOf(HDC dc, std::string_view text, TextOrigin origin, RECT& rect, UINT format);

// The width and height of the text in the font selected into dc; an empty
// text is as high as a line.
SIZE TextExtentOf(HDC dc, std::string_view text, TextOrigin origin);

// The same in font, measured on the screen.
SIZE TextExtent(HFONT font, std::string_view text, TextOrigin origin);

}  // namespace quellix::win32
