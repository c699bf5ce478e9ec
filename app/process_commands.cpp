#include "app/process_commands.h"

#include <string>

#include "app/app_state.h"
#include "platform/kernel32_calls.h"
#include "process/process_scan.h"
#include "process/process_texts.h"
#include "process/termination.h"
#include "ui/control_numbers.h"
#include "winsvc/window_services.h"

namespace quellix {
namespace {

constexpr DWORD kSettleMilliseconds = 1000;

// The NTVDM.EXE row whose task rows carry number: the VDM a task runs in.
const ProcessRow* FindVdmHosting(const ProcessList& list, std::int32_t number) {
  for (const ProcessRow& row : list.Rows()) {
    if (row.NO == number && row.TASK16 == 0 && row.APPPATH == kNtvdmName) return &row;
  }
  return nullptr;
}

}  // namespace

void RefreshProcessCount() {
  AppState& app = App();
  app.processCount = ScanProcesses(app.processList);
  SetControlText(control::kTitleString, std::to_string(app.processCount) + " Processes");
}

void RunKillSequence() {
  AppState& app = App();
  RefreshProcessCount();
  ProcessList& list = app.processList;

  // Every look-up below runs on the list as this one rebuild left it.
  if (const ProcessRow* server = list.FindByAppPath(app.serverName.View())) {
    KillProcess(static_cast<DWORD>(server->ID));
  }
  if (app.killTarget == kNtvdmName) {
    if (const ProcessRow* vdm = list.FindByAppPath(kNtvdmName)) {
      KillProcess(static_cast<DWORD>(vdm->ID));
    }
  } else {
    const ProcessRow* ide = list.FindByAppPath(app.ideName.View());
    app.task16Number = ide ? ide->TASK16 : 0;
    // The task handle means something only to the VDM the task runs in: with
    // several VDMs that is the one whose number the task row carries.
    const ProcessRow* vdm =
        app.task16Number != 0 ? FindVdmHosting(list, ide->NO) : list.FindByAppPath(kNtvdmName);
    app.ntvdmProcessId = vdm ? static_cast<DWORD>(vdm->ID) : 0;
    if (app.task16Number != 0) KillWowTask(app.ntvdmProcessId, app.task16Number);
  }

  os::Sleep(kSettleMilliseconds);
  RefreshProcessCount();
  SelectControl(control::kProcessList, 1);
  RedrawControl(control::kProcessList);
}

}  // namespace quellix
