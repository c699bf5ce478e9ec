#include "process/kill_sequence.h"

#include "platform/kernel32_calls.h"
#include "process/process_texts.h"
#include "process/termination.h"

namespace quellix {
namespace {

constexpr DWORD kSettleMilliseconds = 1000;

// The task handle of the IDE's row, and the VDM it means something to: with
// several VDMs that is the one whose number the task row carries.
WowTaskTarget FindIdeTask(ProcessList& list, std::string_view ideName) {
  WowTaskTarget target;
  const ProcessRow* ide = list.FindByAppPath(ideName);
  target.task16Number = ide ? ide->TASK16 : 0;
  const ProcessRow* vdm =
      target.task16Number != 0 ? list.FindVdmHosting(*ide) : list.FindByAppPath(kNtvdmName);
  target.ntvdmProcessId = vdm ? static_cast<DWORD>(vdm->ID) : 0;
  return target;
}

}  // namespace

WowTaskTarget EndEdition(ProcessList& list, std::string_view serverName, std::string_view ideName,
                         std::string_view killTarget) {
  if (const ProcessRow* server = list.FindByAppPath(serverName)) {
    KillProcess(static_cast<DWORD>(server->ID));
  }
  WowTaskTarget target;
  if (PaddedEqual(killTarget, kNtvdmName)) {
    if (const ProcessRow* vdm = list.FindByAppPath(kNtvdmName)) {
      KillProcess(static_cast<DWORD>(vdm->ID));
    }
  } else {
    target = FindIdeTask(list, ideName);
    if (target.task16Number != 0) KillWowTask(target.ntvdmProcessId, target.task16Number);
  }
  os::Sleep(kSettleMilliseconds);
  return target;
}

}  // namespace quellix
