#include "winsvc/win32/child_controls.h"

#include <string>

#include "platform/win32/system_functions.h"
#include "winsvc/win32/link_window.h"
#include "winsvc/win32/see_through.h"
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

// A see-through child: its class's own procedure, kept in the window's user
// data, gets every message but those that would draw, which the default
// procedure takes (it keeps the text, and tells assistive technology of a
// new one), and the pointer passes through it.
LRESULT CALLBACK SeeThroughProcedure(HWND child, UINT message, WPARAM wParam, LPARAM lParam) {
  if (LRESULT result = 0; AnswerSeeThrough(child, message, &result)) return result;
  switch (message) {
    case WM_SETTEXT:
    case WM_ENABLE:
    case WM_UPDATEUISTATE:
    case WM_SYSCOLORCHANGE:
      return ::DefWindowProcW(child, message, wParam, lParam);
    default:
      break;
  }
  const auto own = reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(child, GWLP_USERDATA));
  return ::CallWindowProcW(own, child, message, wParam, lParam);
}

void MakeSeeThrough(HWND child) {
  const LONG_PTR own = ::GetWindowLongPtrW(child, GWLP_WNDPROC);
  ::SetWindowLongPtrW(child, GWLP_USERDATA, own);
  ::SetWindowLongPtrW(child, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SeeThroughProcedure));
}

bool IsLink(const ControlDefinition& definition) {
  return definition.kind == ControlKind::kRegion && definition.immediateEvents;
}

}  // namespace

bool IsChildKind(const ControlDefinition& definition) {
  switch (definition.kind) {
    case ControlKind::kText:
    case ControlKind::kOptionGroup:
    case ControlKind::kButton:
    case ControlKind::kRadioButton:
      return true;
    case ControlKind::kRegion:
      return IsLink(definition);
    default:
      return false;
  }
}

bool DrawsItself(ControlKind kind) {
  return kind == ControlKind::kButton || kind == ControlKind::kRadioButton ||
         kind == ControlKind::kList;
}

HWND CreateChildControl(HWND parent, const ControlDefinition& definition, std::string_view text,
                        const RECT& rect, HFONT font, ComApartment* apartment) {
  if (IsLink(definition)) {
    return CreateLinkWindow(parent, definition.number, rect, text, apartment);
  }
  const wchar_t* windowClass = L"BUTTON";
  DWORD style = WS_CHILD;
  switch (definition.kind) {
    case ControlKind::kText:
      windowClass = L"STATIC";
      style |= SS_LEFT | SS_NOPREFIX;
      break;
    case ControlKind::kOptionGroup:
      style |= BS_GROUPBOX;
      break;
    case ControlKind::kButton:
      style |= BS_PUSHBUTTON | WS_TABSTOP;
      break;
    case ControlKind::kRadioButton:
      // The checked one is the group's tab stop: BM_SETCHECK moves WS_TABSTOP.
      style |= BS_RADIOBUTTON;
      break;
    default:
      break;
  }
  // A Unicode window, given its caption in UTF-16: it then reads and draws
  // the text in its own code page on every system, as the window draws its own.
  const std::wstring caption = WideText(text, TextOrigin::kProgram);
  const RECT& r = rect;
  HWND child = ::CreateWindowExW(0, windowClass, caption.c_str(), style, r.left, r.top,
                                 r.right - r.left, r.bottom - r.top, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(definition.number)),
                                 ThisModule(), nullptr);
  if (!child) return nullptr;
  if (DrawsItself(definition.kind)) {
    ::SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (definition.kind == ControlKind::kRadioButton) DrawUnthemed(child);
  } else {
    MakeSeeThrough(child);
  }
  return child;
}

void SetChildText(HWND child, std::string_view text) {
  ::SetWindowTextW(child, WideText(text, TextOrigin::kProgram).c_str());
  // Screen readers learn of the new name from this event. Windows sends it for
  // a new window text itself, Wine 8 does not: sent here too, it comes twice
  // on Windows, with the same name.
  ::NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, child, OBJID_WINDOW, CHILDID_SELF);
}

}  // namespace quellix::win32
