#include "winsvc/win32/link_window.h"

#include "winsvc/win32/link_accessible.h"
#include "winsvc/win32/see_through.h"
#include "winsvc/win32/text_drawing.h"
#include "winsvc/win32/this_module.h"

namespace quellix::win32 {
namespace {

constexpr wchar_t kClassName[] = L"QuellixLink";

// The part of the parent the link covers, where the parent draws the focus.
void InvalidateUnder(HWND link) {
  RECT covered{};
  ::GetWindowRect(link, &covered);
  const HWND parent = ::GetParent(link);
  ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&covered), 2);
  ::InvalidateRect(parent, &covered, FALSE);
}

LRESULT CALLBACK LinkProcedure(HWND link, UINT message, WPARAM wParam, LPARAM lParam) {
  if (LRESULT result = 0; AnswerSeeThrough(link, message, &result)) return result;
  switch (message) {
    case WM_NCCREATE: {
      const auto* creation = reinterpret_cast<const CREATESTRUCTW*>(lParam);
      ::SetWindowLongPtrW(link, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
      break;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      InvalidateUnder(link);
      return 0;
    case WM_GETOBJECT:
      if (static_cast<LONG>(lParam) == OBJID_CLIENT) {
        if (auto* apartment =
                reinterpret_cast<ComApartment*>(::GetWindowLongPtrW(link, GWLP_USERDATA))) {
          apartment->Enter();
        }
        if (const LRESULT reference = LinkObjectReference(link, wParam)) return reference;
      }
      break;
    case kFollowLinkMessage:
      // As a click on it: the parent takes the press.
      ::SendMessageW(::GetParent(link), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(link), BN_CLICKED),
                     reinterpret_cast<LPARAM>(link));
      return 0;
    default:
      break;
  }
  return ::DefWindowProcW(link, message, wParam, lParam);
}

bool RegisterLinkClass() {
  WNDCLASSW windowClass{};
  if (::GetClassInfoW(ThisModule(), kClassName, &windowClass)) return true;
  windowClass.lpfnWndProc = &LinkProcedure;
  windowClass.hInstance = ThisModule();
  windowClass.lpszClassName = kClassName;
  return ::RegisterClassW(&windowClass) != 0;
}

}  // namespace

HWND CreateLinkWindow(HWND parent, int number, const RECT& rect, std::string_view name,
                      ComApartment* apartment) {
  if (!RegisterLinkClass()) return nullptr;
  const std::wstring caption = WideText(name, TextOrigin::kProgram);
  return ::CreateWindowExW(0, kClassName, caption.c_str(), WS_CHILD | WS_TABSTOP, rect.left,
                           rect.top, rect.right - rect.left, rect.bottom - rect.top, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(number)), ThisModule(),
                           apartment);
}

}  // namespace quellix::win32
