#include "winsvc/win32/child_controls.h"

#include <string>

#include "platform/win32/system_functions.h"
#include "winsvc/win32/text_drawing.h"
#include "winsvc/win32/this_module.h"

namespace quellix::win32 {
namespace {

// Themed radio buttons draw their text in the theme's colour,
// not the window's; plain ones honour WM_CTLCOLORSTATIC. A system without
// themes has no SetWindowTheme, and its buttons are plain already.
void DrawUnthemed(HWND child) {
  const auto setWindowTheme = os::win32::System().SetWindowTheme;
  if (setWindowTheme) setWindowTheme(child, L"", L"");
}

}  // namespace

bool IsChildKind(ControlKind kind) {
  return kind == ControlKind::kButton || kind == ControlKind::kRadioButton;
}

HWND CreateChildControl(HWND parent, const ControlDefinition& definition, std::string_view text,
                        const RECT& rect, HFONT font) {
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
  switch (definition.kind) {
    case ControlKind::kButton:
      style |= BS_PUSHBUTTON | WS_TABSTOP;
      break;
    case ControlKind::kRadioButton:
      style |= BS_RADIOBUTTON | WS_TABSTOP;
      break;
    default:
      break;
  }
  // A Unicode window, given its caption in UTF-16: it then draws the text in
  // its own code page on every system, as the window draws its own texts.
  const std::wstring caption = WideText(text, TextOrigin::kProgram);
  const RECT& r = rect;
  HWND child = ::CreateWindowExW(0, L"BUTTON", caption.c_str(), style, r.left, r.top,
                                 r.right - r.left, r.bottom - r.top, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(definition.number)),
                                 ThisModule(), nullptr);
  ::SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  if (definition.kind == ControlKind::kRadioButton) DrawUnthemed(child);
  return child;
}

void SetChildText(HWND child, std::string_view text) {
  ::SetWindowTextW(child, WideText(text, TextOrigin::kProgram).c_str());
}

}  // namespace quellix::win32
