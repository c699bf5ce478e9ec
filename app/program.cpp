#include "app/program.h"

#include "app/app_state.h"
#include "app/dispatch.h"
#include "app/tray.h"
#include "common/bounded_copy.h"
#include "platform/kernel32_calls.h"
#include "platform/ole32_calls.h"
#include "process/version_catalogue.h"
#include "ui/main_window_definition.h"
#include "winsvc/window_services.h"

namespace quellix {
bool StartUp() {
  ResetAppState();
  AppState& app = App();

  CopyTerminated(app.singleInstanceName.data(), app.singleInstanceName.size(), kSingleInstanceName);
  app.singleInstance = os::CreateSemaphoreA(nullptr, 0, 1, app.singleInstanceName.data());
  if (app.singleInstance && os::GetLastError() == ERROR_ALREADY_EXISTS) {
    // Another copy runs: it is told nothing, and this one ends at once.
    os::CloseHandle(app.singleInstance);
    app.singleInstance = nullptr;
    return false;
  }
  // A failed call leaves this copy without a guard; it runs all the same.

  app.versionCode.Assign("C60EE");
  ResolveVersion(app.versionCode, app.ideName, app.serverName);

  OpenMainWindow(MainWindowDefinition(), &app.versionOption, &app.processListView);
  if (!NativeHandle()) {
    // No window could be made (the desktop heap is used up, the session is
    // being logged off). Without a window and an icon nobody could reach or
    // end this copy, and its guard would keep every later one from starting:
    // it ends at once, as after a close-window event.
    CloseMainWindow();
    return false;
  }
  PrepareTray();
  HideToTray();  // before the first event: no window is ever seen at start-up
  return true;
}

void RunEventLoop() {
  while (NextEvent()) DispatchEvent();
}

void ShutDown() {
  // No dead icon stays behind in the tray.
  if (App().inTray) DeleteTrayIcon();
  CloseMainWindow();
  App().icon.Reset();
  App().processList.Empty();
  if (App().comStarted) os::CoUninitialize();
  App().comStarted = false;
  // The single-instance handle stays open: the system closes it with the
  // process, and a new copy can start as soon as this one has gone.
}

int RunQuellix() {
  if (!StartUp()) return 0;
  RunEventLoop();
  ShutDown();
  return 0;
}

}  // namespace quellix
