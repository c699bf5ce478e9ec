#include "platform/kernel32_calls.h"

#include "platform/sim/simulated_windows.h"

namespace quellix::os {

HANDLE OpenProcess(DWORD desiredAccess, BOOL /*inheritHandle*/, DWORD processId) {
  sim::SimulatedWindows& system = sim::System();
  const sim::Process* process = system.FindProcess(processId);
  if (!process) return nullptr;
  if (process->deniesQuery && (desiredAccess & (PROCESS_QUERY_INFORMATION | PROCESS_VM_READ))) {
    return nullptr;
  }
  return system.OpenHandle(processId, desiredAccess);
}

BOOL CloseHandle(HANDLE object) { return sim::System().CloseHandle(object) ? TRUE : FALSE; }

}  // namespace quellix::os
