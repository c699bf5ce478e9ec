#include "app/tray.h"

#include "app/app_events.h"
#include "app/app_state.h"
#include "app/refresh_and_kill.h"
#include "common/bounded_copy.h"
#include "common/resource_name.h"
#include "platform/kernel32_calls.h"
#include "platform/shell32_calls.h"
#include "platform/user32_calls.h"
#include "process/process_texts.h"
#include "ui/control_numbers.h"
#include "ui/main_window_definition.h"
#include "winsvc/popup_menu.h"
#include "winsvc/window_services.h"

namespace quellix {
namespace {

constexpr int kTrayIconSize = 16;
constexpr char kTaskbarCreatedName[] = "TaskbarCreated";
constexpr char kTaskbarClassName[] = "Shell_TrayWnd";
constexpr UINT kTrayFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;  // 7

enum TrayItem : int {
  kItemAbout = 1,
  kItemKill = 2,
  kItemKillWithVdm = 3,
  kItemCancel = 4,
  kItemExit = 5,
};

// Run elevated on Vista or later, the window sits above the shell's integrity
// level, and the system drops the shell's "TaskbarCreated" broadcast unless the
// window lets it through: for this window where the system can (Windows 7),
// else for the whole process (Vista). XP has no such filter.
void LetShellMessageThrough(UINT message) {
  if (os::ChangeWindowMessageFilterEx(NativeHandle(), message, os::kMessageFilterAllow)) return;
  if (os::GetLastError() == ERROR_PROC_NOT_FOUND) {
    os::ChangeWindowMessageFilter(message, os::kMessageFilterAdd);
  }
}

void PressKillButton(std::string_view killTarget) {
  App().killTarget.Assign(killTarget);
  PostEvent(kEventAccepted, control::kButtonKill);
}

// A window hidden without an icon could never be reached again: nobody could
// show it, end the IDE with it or quit it. So when the shell refuses the icon
// the window comes back on the screen instead. The shell may also report a
// failure for an icon it took (a busy shell answers too late); a change that
// alters nothing succeeds only for an icon it holds, and tells the two apart.
// At logon the program may start before the shell has made its taskbar: then
// the window stays hidden, and the taskbar's "TaskbarCreated" brings the icon
// (provided the program knows that message's number).
void AddTrayIcon() {
  // The number of "TaskbarCreated" brings the icon back after the shell
  // restarts; it is learnt before the icon is first added, and a registration
  // that failed is tried again each time.
  AppState& app = App();
  if (app.taskbarCreatedMessage == 0) {
    app.taskbarCreatedMessage = os::RegisterWindowMessageA(kTaskbarCreatedName);
    if (app.taskbarCreatedMessage != 0) LetShellMessageThrough(app.taskbarCreatedMessage);
  }
  NOTIFYICONDATAA& record = app.trayRecord;
  if (os::Shell_NotifyIconA(NIM_ADD, &record) || os::Shell_NotifyIconA(NIM_MODIFY, &record)) {
    app.inTray = true;
    return;
  }
  if (app.taskbarCreatedMessage != 0 && !os::FindWindowA(kTaskbarClassName, nullptr)) {
    app.inTray = true;  // waiting for the taskbar
    return;
  }
  ShowFromTray();
}

}  // namespace

void PrepareTray() {
  AppState& app = App();
  // The window's own icon, CLARION_ICO, in its small size.
  CopyTerminated(app.iconResourceName.data(), app.iconResourceName.size(),
                 ResourceNameOf(MainWindowDefinition().iconName));
  app.icon = os::OwnedIcon(static_cast<HICON>(os::LoadImageA(
      ModuleInstance(), app.iconResourceName.data(), IMAGE_ICON, kTrayIconSize, kTrayIconSize, 0)));

  NOTIFYICONDATAA& record = app.trayRecord;
  record = NOTIFYICONDATAA{};
  record.cbSize = NOTIFYICONDATAA_V1_SIZE;
  record.hWnd = NativeHandle();
  record.uID = kTrayIconId;
  record.uFlags = kTrayFlags;
  record.uCallbackMessage = kTrayCallbackMessage;
  record.hIcon = app.icon.get();
  CopyTerminated(record.szTip, sizeof record.szTip, kTrayTip);

  app.previousWindowProcedure = GetWindowProcedure();
  SetWindowProcedure(&TrayWndProc);
}

void HideToTray() {
  SetIconized(true);
  SetHidden(true);
  AddTrayIcon();
}

void ShowFromTray() {
  SetHidden(false);
  SetIconized(false);
  // Shown and restored without activation, the window would stay behind the
  // program in front (a minimized window is at the bottom of the Z-order) and
  // leave it the keyboard. The user has just chosen this in the program's own
  // menu, so the system lets the program take the foreground.
  os::SetForegroundWindow(NativeHandle());
}

void DeleteTrayIcon() {
  os::Shell_NotifyIconA(NIM_DELETE, &App().trayRecord);
  App().inTray = false;
}

void RestoreTrayIcon() {
  if (App().inTray) AddTrayIcon();
}

void RunTrayMenu() {
  switch (ShowPopupMenu(kTrayMenu, kPointerCoordinate, kPointerCoordinate)) {
    case kItemAbout:
      RefreshProcessCount();
      ShowFromTray();
      break;
    case kItemKill:
      PressKillButton(App().ideName.View());
      break;
    case kItemKillWithVdm:
      PressKillButton(kNtvdmName);
      break;
    case kItemExit:
      PostEvent(kEventCloseWindow, kWindowItself);
      break;
    default:  // Cancel this menu, or dismissed
      break;
  }
}

LRESULT CALLBACK TrayWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kTrayCallbackMessage) {
    const WORD mouse = LOWORD(static_cast<DWORD>(lParam));
    if (mouse == WM_LBUTTONUP || mouse == WM_RBUTTONUP) {
      PostEvent(kEventTrayMenuRequest, kWindowItself);
    }
    return 0;
  }
  if (message == WM_QUERYENDSESSION) return 1;  // the session may end
  if (message == WM_ENDSESSION) {
    PostEvent(kEventCloseWindow, kWindowItself);
    return 1;
  }
  if (message != 0 && message == App().taskbarCreatedMessage) {
    PostEvent(kEventTaskbarCreated, kWindowItself);
  }
  return os::CallWindowProcA(App().previousWindowProcedure, window, message, wParam, lParam);
}

}  // namespace quellix
