#include "app/app_state.h"

namespace quellix {
namespace {
AppState state;
}  // namespace

AppState& App() { return state; }

void ResetAppState() {
  state.versionCode.Clear();
  state.serverName.Clear();
  state.ideName.Clear();
  state.processList.Empty();
  state.processList.record = ProcessRow{};
  state.processList.currentVdmNumber = 0;
  state.killTarget.Clear();
  state.singleInstanceName.fill('\0');
  state.singleInstance = nullptr;
  state.iconResourceName.fill('\0');
  state.icon = nullptr;
  state.trayRecord = NOTIFYICONDATAA{};
  state.previousWindowProcedure = nullptr;
  state.processCount = 0;
  state.task16Number = 0;
  state.ntvdmProcessId = 0;
  state.inTray = false;
  state.taskbarCreatedMessage = 0;
  state.comStarted = false;
}

}  // namespace quellix
