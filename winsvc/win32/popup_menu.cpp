#include "winsvc/popup_menu.h"

#include <windows.h>

#include <utility>
#include <vector>

#include "winsvc/menu_string.h"
#include "winsvc/win32/this_module.h"
#include "winsvc/win32/user_handles.h"
#include "winsvc/win32/window_class.h"
#include "winsvc/window_services.h"

namespace quellix {
namespace {

constexpr char kOwnerClassName[] = "QuellixPopupMenuOwner";

// WM_COMMAND carries a menu item's identifier in 16 bits: an item numbered
// beyond them is shown but cannot be chosen, or it would answer another's number.
constexpr int kLargestCommandId = 0xFFFF;

using win32::Menu;
using win32::OwnedWindow;

// Takes the keyboard focus away while the menu is open and gives it back, on
// every path, to the window that had it.
class FocusLoan {
 public:
  FocusLoan() : previous_(::GetFocus()) { ::SetFocus(nullptr); }
  ~FocusLoan() {
    if (previous_ && ::IsWindow(previous_)) ::SetFocus(previous_);
  }
  FocusLoan(const FocusLoan&) = delete;
  FocusLoan& operator=(const FocusLoan&) = delete;

 private:
  HWND previous_;
};

// The work area of the monitor at the point; 0 when none can be measured.
int WorkAreaHeight(POINT point) {
  const HMONITOR monitor = ::MonitorFromPoint(point, MONITOR_DEFAULTTOPRIMARY);
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (monitor && ::GetMonitorInfoA(monitor, &info)) return info.rcWork.bottom - info.rcWork.top;
  RECT workArea{};
  if (::SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0)) {
    return workArea.bottom - workArea.top;
  }
  return 0;
}

int RowsPerColumn(POINT point) {
  const int rowHeight = ::GetSystemMetrics(SM_CYMENU);
  return rowHeight > 0 ? WorkAreaHeight(point) / rowHeight : 0;
}

POINT ResolvePoint(int x, int y) {
  POINT pointer{};
  if (x == kPointerCoordinate || y == kPointerCoordinate) ::GetCursorPos(&pointer);
  return POINT{x == kPointerCoordinate ? pointer.x : x, y == kPointerCoordinate ? pointer.y : y};
}

constexpr UINT kAtEnd = static_cast<UINT>(-1);

void AppendEntry(HMENU menu, const MenuEntry& entry, std::vector<Menu>& levels) {
  UINT flags = MF_BYPOSITION;
  if (entry.newColumn) flags |= MF_MENUBARBREAK;
  if (entry.kind == MenuEntryKind::kSeparator) {
    ::InsertMenuA(menu, kAtEnd, flags | MF_SEPARATOR, 0, nullptr);
    return;
  }
  if (entry.disabled) flags |= MF_GRAYED;
  if (entry.checked) flags |= MF_CHECKED;
  if (entry.kind == MenuEntryKind::kItem) {
    if (entry.itemNumber > kLargestCommandId) flags |= MF_GRAYED;
    ::InsertMenuA(menu, kAtEnd, flags | MF_STRING, static_cast<UINT_PTR>(entry.itemNumber),
                  entry.caption.c_str());
    return;
  }
  Menu& submenu = levels[entry.submenu];
  if (!submenu.get()) return;
  if (::InsertMenuA(menu, kAtEnd, flags | MF_POPUP, reinterpret_cast<UINT_PTR>(submenu.get()),
                    entry.caption.c_str())) {
    submenu.release();
  }
}

// Deepest levels first, so that a submenu is complete when it is attached. A
// level whose menu or heading could not be made is left out with its entries.
Menu BuildMenu(const MenuTree& tree) {
  std::vector<Menu> levels;
  levels.reserve(tree.levels.size());
  for (std::size_t i = 0; i < tree.levels.size(); ++i) levels.emplace_back(::CreatePopupMenu());
  for (std::size_t i = tree.levels.size(); i-- > 0;) {
    const HMENU menu = levels[i].get();
    if (!menu) continue;
    for (const MenuEntry& entry : tree.levels[i]) AppendEntry(menu, entry, levels);
  }
  return std::move(levels.front());
}

// The choice goes where the window was created to put it; everything else is
// left to the default procedure, since items are drawn with their caption only.
LRESULT CALLBACK OwnerWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  int* choice = win32::BoundOwner<int>(window, message, lParam);
  if (message == WM_COMMAND) {
    if (choice) *choice = LOWORD(wParam);
    return 0;
  }
  return ::DefWindowProcA(window, message, wParam, lParam);
}

// Invisible and 0 x 0, yet able to take the focus and the foreground, which the
// menu needs to close on a click elsewhere.
OwnedWindow CreateOwnerWindow(int* choice) {
  if (!win32::RegisterWindowClass(kOwnerClassName, &OwnerWindowProcedure, 0, nullptr)) {
    return OwnedWindow();
  }
  return OwnedWindow(::CreateWindowExA(WS_EX_TOOLWINDOW, kOwnerClassName, "", WS_POPUP, 0, 0, 0, 0,
                                       nullptr, nullptr, win32::ThisModule(), choice));
}

}  // namespace

int ShowPopupMenu(std::string_view menuString, int x, int y) {
  // The reader removes the trailing blanks of the menu string.
  const POINT point = ResolvePoint(x, y);
  const MenuTree tree = ParseMenuString(menuString, RowsPerColumn(point));
  const Menu menu = BuildMenu(tree);
  if (!menu.get()) return 0;

  const FocusLoan focus;
  int choice = 0;
  const OwnedWindow owner = CreateOwnerWindow(&choice);
  if (!owner.get()) return 0;
  ::SetFocus(owner.get());
  ::SetForegroundWindow(owner.get());

  ::TrackPopupMenu(menu.get(), TPM_RIGHTBUTTON, point.x, point.y, 0, owner.get(), nullptr);
  // A menu opened from the notification area, however it ended, would flash
  // and close at once the next time unless the program's thread goes on to a
  // message of its own: the main window gets a benign one.
  if (const HWND mainWindow = NativeHandle()) ::PostMessageA(mainWindow, WM_NULL, 0, 0);

  MSG message;
  if (::PeekMessageA(&message, owner.get(), WM_COMMAND, WM_COMMAND, PM_REMOVE)) {
    choice = LOWORD(message.wParam);
  }
  // Only a number the menu string gave an item can come back.
  return choice >= 1 && choice <= tree.itemCount ? choice : 0;
}

}  // namespace quellix
