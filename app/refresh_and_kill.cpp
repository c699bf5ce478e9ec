#include "app/refresh_and_kill.h"

#include <string>

#include "app/app_state.h"
#include "process/kill_sequence.h"
#include "process/process_scan.h"
#include "ui/control_numbers.h"
#include "winsvc/window_services.h"

namespace quellix {

void RefreshProcessCount() {
  AppState& app = App();
  app.processCount = ScanProcesses(app.processList);
  SetControlText(control::kTitleString, std::to_string(app.processCount) + " Processes");
}

void RunKillSequence() {
  AppState& app = App();
  RefreshProcessCount();
  const WowTaskTarget task =
      EndEdition(app.processList, app.serverName.View(), app.ideName.View(), app.killTarget.View());
  app.task16Number = task.task16Number;
  app.ntvdmProcessId = task.ntvdmProcessId;
  RefreshProcessCount();
  SelectControl(control::kProcessList, 1);
  RedrawControl(control::kProcessList);
}

}  // namespace quellix
