#include "app/dispatch.h"

#include <string>

#include "app/app_events.h"
#include "app/app_state.h"
#include "app/refresh_and_kill.h"
#include "app/tray.h"
#include "common/font_style.h"
#include "common/product.h"
#include "platform/ole32_calls.h"
#include "platform/shell32_calls.h"
#include "process/version_catalogue.h"
#include "ui/control_numbers.h"
#include "winsvc/window_services.h"

namespace quellix {
namespace {

using namespace control;

constexpr FontStyle kLinkHovered = kFontUnderline;  // 8192: underlined, the font's weight
constexpr FontStyle kLinkAtRest = 400;              // normal weight, no underline

void StyleLink(ControlNumber region, FontStyle style) {
  if (region == kWebRegion) SetFontStyle(kWebString, style);
  if (region == kMailRegion) SetFontStyle(kMailString, style);
}

// The shell may hand a link to a handler it starts through COM, which wants
// COM started on the calling thread first. It is started for the first link,
// once, and not at start-up: a tray program at rest has no use for COM, which
// costs more than all the rest of it. Where it cannot be started, links are
// opened all the same.
void StartComForLinks() {
  AppState& app = App();
  if (app.comTried) return;
  app.comTried = true;
  app.comStarted =
      SUCCEEDED(os::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
}

void Open(const std::string& target) {
  StartComForLinks();
  // A link the shell cannot open changes nothing: the result is not needed.
  os::ShellExecuteA(NativeHandle(), "open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

// The pages in turn: About, Processes, Version, About ...
void ShowNextPage() {
  const int current = CurrentTab(kCurrentTab);
  SelectControl(current == 1 ? kTab2 : current == 2 ? kTab3 : kTab1, 0);
}

void Accept(ControlNumber control) {
  switch (control) {
    case kTitleRegion:
      RefreshProcessCount();
      ShowNextPage();
      break;
    case kWebRegion:
      Open(std::string(kWebSite));
      break;
    case kMailRegion:
      Open("mailto:" + std::string(kMailAddress));
      break;
    case kClarionVersion:
      // The option group has already stored the pick in the version code.
      ResolveVersion(App().versionCode, App().ideName, App().serverName);
      break;
    case kButtonClose:
      HideToTray();
      break;
    case kButtonKill:
      RunKillSequence();
      break;
    case kButtonQuit:
      PostEvent(kEventCloseWindow, kWindowItself);
      break;
    default:
      break;
  }
}

}  // namespace

void DispatchEvent() {
  const EventCode event = CurrentEvent();
  const ControlNumber control = CurrentControl();
  if (event == kEventTrayMenuRequest) {
    RunTrayMenu();
  } else if (event == kEventTaskbarCreated) {
    RestoreTrayIcon();
  } else if (event == kEventRestored) {
    DeleteTrayIcon();
  } else if (event == kEventPointerEntered) {
    StyleLink(control, kLinkHovered);
  } else if (event == kEventPointerLeft) {
    StyleLink(control, kLinkAtRest);
  } else if (event == kEventAccepted) {
    Accept(control);
  }
  // Everything else, the alerted Esc and Alt+F4 among it, changes nothing.
}

}  // namespace quellix
