#include "process/termination.h"

#include "platform/kernel32_calls.h"
#include "platform/vdmdbg_calls.h"
#include "process/process_handle.h"

namespace quellix {

bool KillProcess(DWORD processId) {
  const ProcessHandle process(os::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, processId));
  return process && os::TerminateProcess(process.get(), 0) != FALSE;
}

bool KillWowTask(DWORD processId, WORD task16) {
  return os::VDMTerminateTaskWOW(processId, task16) != FALSE;
}

}  // namespace quellix
